// Measures the terrain: generating a tile, compiling its mesh, building the
// 5 x 5 window around a fresh eye, and drawing that window with and without
// skipping hidden tiles. Needs an X display (run under Xvfb: 1024 x 768).
#include "world/world.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/game_view.h"
#include "support/reference_ground.h"
#include "world/world_internal.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

HillParams tileParams(bool border, int seed) {
    HillParams p;
    p.seed = seed;
    p.hillMin = border ? 5.0f : 2.0f;
    p.hillMax = border ? 20.0f : 18.0f;
    p.numHills = border ? 500 : 200;
    p.heightScale = border ? 100.0f : 12.0f;
    return p;
}

double generationMs(bool border) {
    const int runs = 20;
    const auto start = Clock::now();
    for (int k = 0; k < runs; ++k) {
        CHillTerrain terrain(tileParams(border, 29063 + k));
        terrain.generate();
    }
    return msSince(start) / runs;
}

// What collecting a build costs the main thread the straightforward way:
// compiling the mesh list strip by strip.
double meshListCompileMs(unsigned int texture) {
    CHillTerrain terrain(tileParams(false, 29075));
    terrain.generate();
    const int runs = 20;
    glFinish();
    const auto start = Clock::now();
    for (int k = 0; k < runs; ++k) glDeleteLists(ReferenceGround::compile(terrain, texture), 1);
    glFinish();
    return msSince(start) / runs;
}

// The main thread's share of collecting a build: handing the vertices made
// on the builder thread to a buffer object.
double meshUploadMs() {
    CHillTerrain terrain(tileParams(false, 29075));
    terrain.generate();
    TileMeshData mesh;
    buildTileMeshData(terrain, mesh);
    const int runs = 20;
    glFinish();
    const auto start = Clock::now();
    for (int k = 0; k < runs; ++k) deleteTileMesh(uploadTileMesh(mesh.vertices));
    glFinish();
    return msSince(start) / runs;
}

void setupView(int width, int height) {
    glEnable(GL_DEPTH_TEST);
    setupLight();
    setGameProjection(width, height);
}

// A chase camera: a few units behind and above a tank at (x, z), looking ahead.
void frame(World& world, float x, float z, float headingDeg) {
    const float rad = headingDeg * 0.017453292f;
    const float dx = std::sin(rad), dz = std::cos(rad);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float ex = x - 12 * dx, ez = z - 12 * dz;
    lookFrom({ex, 10, ez}, {x + 40 * dx, 2, z + 40 * dz});
    world.draw(static_cast<int>(ex), static_cast<int>(ez));
    glutSwapBuffers();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Frame times with every tile drawn and with hidden tiles skipped, taken in
// turns at each heading so that a busy machine disturbs both alike.
void frameTimes(World& world, int frames, double& full, double& culled) {
    std::vector<double> fullTimes, culledTimes;
    for (int k = 0; k < frames; ++k) {
        const float heading = static_cast<float>(k * 360 / frames);
        for (bool cull : {false, true}) {
            world.cullTiles = cull;
            const auto start = Clock::now();
            frame(world, 0, 0, heading);
            glFinish();
            (cull ? culledTimes : fullTimes).push_back(msSince(start));
        }
    }
    full = median(fullTimes);
    culled = median(culledTimes);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutCreateWindow("brakkon world bench");
    glutDisplayFunc([] {});
    for (int k = 0; k < 10; ++k) glutMainLoopEvent();
#ifdef BRAKKON_ASSET_DIR
    if (chdir(BRAKKON_ASSET_DIR) != 0) std::perror("asset folder");
#endif
    setupView(1024, 768);

    std::printf("generate inner tile: %.2f ms\n", generationMs(false));
    std::printf("generate border tile: %.2f ms\n", generationMs(true));

    World world(WORLD_VIEW_RANGE, 8888);
    std::printf("collect a tile, mesh list: %.2f ms\n",
                meshListCompileMs(world.desertTexture.textureName()));
    std::printf("collect a tile, game's buffer upload: %.2f ms\n", meshUploadMs());

    // The game draws continuously while the builder runs at low priority.
    const auto start = Clock::now();
    int frames = 0;
    int idleFrames = 0;  // two frames in a row that start nothing: all built
    while (frames < 100000 && idleFrames < 2) {
        frame(world, 0, 0, 0);
        ++frames;
        idleFrames = world.buildBusy ? 0 : idleFrames + 1;
    }
    int ready = 0;
    for (const auto& tile : world.tiles) ready += tile->ready;
    std::printf("empty world to ready window: %d tiles, %d frames, %.0f ms\n", ready, frames,
                msSince(start));

    for (int k = 0; k < 5; ++k) frame(world, 0, 0, 0);  // warm up
    const int samples = 72;
    double full = 0.0, culled = 0.0;
    frameTimes(world, samples, full, culled);
    std::printf("draw frame, every tile: %.2f ms (median of %d headings)\n", full, samples);
    std::printf("draw frame, hidden tiles skipped: %.2f ms (skipped %d of 400 last frame)\n",
                culled, world.lastSkippedTiles);
    return 0;
}
