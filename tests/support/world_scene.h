#pragma once
// Helpers for tests and benchmarks that draw the world: the game's light and
// projection, a camera, and waiting for builder threads.
#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <chrono>
#include <thread>

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
    glEnable(GL_LIGHTING);
    const GLfloat position[4] = {-1280.0f, 1000.0f, 1280.0f, 0.0f};
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    gluPerspective(90.0, static_cast<double>(width) / height, 0.1, 12000.0);
    glMatrixMode(GL_MODELVIEW);
}

// Clears and draws one frame of the world seen from eye toward target.
inline void drawWorldFrame(World& world, float ex, float ey, float ez, float tx, float ty,
                           float tz) {
    glClearColor(0.55f, 0.42f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(ex, ey, ez, tx, ty, tz, 0.0, 1.0, 0.0);
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
