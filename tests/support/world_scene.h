#pragma once
// Helpers for tests and benchmarks that draw the world: the game's light and
// projection, a camera, and waiting for builder threads.
#include <GL/gl.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/game_view.h"
#include "world/world.h"

// Textures load relative to the working directory, as in the game.
inline void enterAssetDir() {
#ifdef BRAKKON_ASSET_DIR
    if (chdir(BRAKKON_ASSET_DIR) != 0) return;
#endif
}

// The game's directional light with colour material and its 90 degree view.
inline void setupGameView(int width, int height) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setupLight();
    glEnable(GL_DEPTH_TEST);
    setGameProjection(width, height);
}

// Clears and draws one frame of the world seen from eye toward target.
inline void drawWorldFrame(World& world, float ex, float ey, float ez, float tx, float ty,
                           float tz) {
    glClearColor(0.55f, 0.42f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lookFrom({ex, ey, ez}, {tx, ty, tz});
    world.draw(static_cast<int>(ex), static_cast<int>(ez));
}

// Waits until the running build, if any, has finished. No time limit: the
// builder runs at low priority and takes what a loaded machine leaves it (the
// test runner's timeout catches a build that never ends).
inline void waitForBuilder(const World& world) {
    for (;;) {
        bool pending = false;
        for (const auto& tile : world.tiles) {
            if (tile->building && !tile->finished()) pending = true;
        }
        if (!pending) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

inline int readyTileCount(const World& world) {
    int count = 0;
    for (const auto& tile : world.tiles) count += tile->ready;
    return count;
}
