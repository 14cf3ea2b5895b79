// Start-up, level set-up, frame and tick times of the real game in one
// process. Run under an X display (e.g. Xvfb 1024x768); prints one line per
// measurement. Not a test: the numbers depend on the machine.
#include <GL/freeglut.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "app/game_frame.h"
#include "app/game_view.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/level_setup.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "assets/model_drawing.h"
#include "game/camera.h"
#include "game/game_tick.h"
#include "game/world_prop.h"
#include "platform/console.h"
#include "support/reference_ground.h"

namespace {
using Clock = std::chrono::steady_clock;
const Clock::time_point processStart = Clock::now();

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

int menuFramesDrawn = 0;
void countedDisplay() {
    const bool menu = screenState == ScreenState::Menu;
    displayScreen();
    if (menu) ++menuFramesDrawn;
}

double setupMs = 0.0;
void timedSetup() {
    const auto t = Clock::now();
    setupLevel();
    setupMs = msSince(t);
}

// The tiles the world keeps meshed around the eye are all built.
bool nearWindowReady() {
    const int span = kWorldTiles * kTileSpan;
    const int px = std::clamp(static_cast<int>(CameraState.eye.x) + span / 2, 0, span);
    const int pz = std::clamp(span / 2 - static_cast<int>(CameraState.eye.z), 0, span);
    auto inside = [&](int p, int origin) {
        return origin - world->viewDistance <= p && p < origin + world->nearSpan;
    };
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            if (inside(px, kTileSpan * i) && inside(pz, kTileSpan * j) &&
                !world->tiles[i * kWorldTiles + j]->ready) {
                return false;
            }
        }
    }
    return true;
}

struct Stats {
    double median, worst, mean;
};
Stats summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    return {v[v.size() / 2], v.back(), sum / v.size()};
}

Stats timeRepeated(int n, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < n; ++i) {
        const auto t = Clock::now();
        work();
        glFinish();
        times.push_back(msSince(t));
    }
    return summarise(times);
}

void report(const char* what, const Stats& s) {
    std::printf("%-34s median %8.3f ms  worst %8.3f ms  mean %8.3f ms\n", what, s.median, s.worst,
                s.mean);
}

// The straightforward drawing and the game's, taken in turns so that a busy machine
// disturbs both alike; prints both and the ratio of the medians.
void compare(const char* what, int n, const std::function<void()>& reference,
             const std::function<void()>& game) {
    std::vector<double> refTimes, gameTimes;
    for (int i = 0; i < n; ++i) {
        for (int which = 0; which < 2; ++which) {
            const auto t = Clock::now();
            (which == 0 ? reference : game)();
            glFinish();
            (which == 0 ? refTimes : gameTimes).push_back(msSince(t));
        }
    }
    const Stats r = summarise(refTimes), g = summarise(gameTimes);
    std::printf(
        "%-34s reference median %8.3f worst %8.3f | game median %8.3f worst %8.3f | "
        "ratio %5.2f\n",
        what, r.median, r.worst, g.median, g.worst, r.median / g.median);
}

std::unique_ptr<ReferenceGround> referenceGround;

// The game's frame with the straightforward ground drawing in its place.
void drawReferenceGround() {
    referenceGround->draw(static_cast<int>(CameraState.eye.x), static_cast<int>(CameraState.eye.z));
}
void referenceGameFrame() { drawFrameWith(drawReferenceGround); }

void measureFixedScene();

// Driven from a timer inside the real main loop, so the game's own idle and
// timer scheme runs as in play.
enum class Phase { Intro, Loading, Tiles, TickRate };
Phase phase = Phase::Intro;
Clock::time_point phaseBegan;
std::vector<int> fpsSamples;
int lastFpsSeen = -1;

void monitor(int) {
    switch (phase) {
        case Phase::Intro:
            if (menuFramesDrawn > 0) {
                std::printf("%-34s %8.1f ms\n", "process start to first menu frame",
                            msSince(processStart));
                onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, windowWidth * 35 / 100,
                             windowHeight * 75 / 100);
                phase = Phase::Loading;
                phaseBegan = Clock::now();
            }
            break;
        case Phase::Loading:
            if (playStarted) {
                std::printf("%-34s %8.1f ms\n", "level set-up", setupMs);
                std::printf("%-34s %8.1f ms\n", "START click to play", msSince(phaseBegan));
                phase = Phase::Tiles;
                phaseBegan = Clock::now();
            }
            break;
        case Phase::Tiles:
            if (nearWindowReady() || msSince(phaseBegan) > 180000.0) {
                std::printf("%-34s %8.1f ms (%s)\n", "near tiles built after", msSince(phaseBegan),
                            nearWindowReady() ? "ready" : "NOT READY");
                measureFixedScene();
                phase = Phase::TickRate;
                phaseBegan = Clock::now();
                GameStats.lastFpsTime = now;
                GameStats.tickCount = 0;
                lastFpsSeen = -1;
            }
            break;
        case Phase::TickRate:
            if (GameStats.lastFpsTime != lastFpsSeen) {
                if (lastFpsSeen >= 0) fpsSamples.push_back(GameStats.fps);
                lastFpsSeen = static_cast<int>(GameStats.lastFpsTime);
            }
            if (fpsSamples.size() >= 5) {
                double sum = 0;
                for (int f : fpsSamples) sum += f;
                std::printf("%-34s %8.1f per second (cap 45.5)\n", "ticks in the game loop",
                            sum / fpsSamples.size());
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%-34s %8.1f MiB\n", "peak memory (max RSS)", usage.ru_maxrss / 1024.0);
                std::fflush(stdout);
                std::_Exit(0);
            }
            break;
    }
    glutTimerFunc(5, monitor, 0);
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (chdir(BRAKKON_ASSET_DIR) != 0) {
        std::perror(BRAKKON_ASSET_DIR);
        return 1;
    }
    // The game's console lines are not part of the report.
    static std::ostringstream consoleLines;
    setConsoleStream(&consoleLines);
    prepareGame(argc, argv);
    levelSetupRoutine = timedSetup;
    glutDisplayFunc(countedDisplay);
    glutTimerFunc(5, monitor, 0);
    glutMainLoop();
}

namespace {
// Driving across tile boundaries: tiles are built, collected and flattened
// on the way. Frames alternate between the straightforward drawing and the game's;
// each frame that collects a build is counted for the one that drew it.
void measureCrossing() {
    const Vec3 start = player->position;
    std::vector<double> times[2], collectTimes[2];
    const int frames = 400;
    for (int k = 0; k < frames; ++k) {
        player->position.x = start.x + 1.5f * k;
        player->position.z = start.z - 0.7f * k;
        player->position.y =
            static_cast<float>(world->heightAt(player->position.x, player->position.z));
        updateCamera();
        int readyBefore = 0;
        for (const auto& t : world->tiles) readyBefore += t->ready;
        const bool busyBefore = world->buildBusy;
        const int which = k % 2;
        const auto t = Clock::now();
        (which == 0 ? referenceGameFrame : drawGameFrame)();
        glFinish();
        const double ms = msSince(t);
        times[which].push_back(ms);
        int readyAfter = 0;
        for (const auto& tile : world->tiles) readyAfter += tile->ready;
        if (busyBefore && !world->buildBusy)
            collectTimes[which].push_back(ms);
        else if (readyAfter > readyBefore)
            collectTimes[which].push_back(ms);
    }
    for (int which = 0; which < 2; ++which) {
        const Stats s = summarise(times[which]);
        const Stats c =
            collectTimes[which].empty() ? Stats{0, 0, 0} : summarise(collectTimes[which]);
        std::printf(
            "%-34s %s median %8.3f worst %8.3f | frames collecting a tile (%zu): median %8.3f "
            "worst %8.3f | worst / median %5.2f\n",
            "driving across tiles", which == 0 ? "reference" : "game     ", s.median, s.worst,
            collectTimes[which].size(), c.median, c.worst, s.worst / s.median);
    }
    player->position = start;
    updateCamera();
}

void measureFixedScene() {
    referenceGround = std::make_unique<ReferenceGround>(*world);
    // A fixed scene: the tank stands, its turret turned a little.
    player->driveInput = 0;
    player->turretYaw = 150.0f;
    updateCamera();
    referenceGameFrame();
    drawGameFrame();
    compare("game frame (fixed scene)", 100, referenceGameFrame, drawGameFrame);

    // Where the frame goes: its stages one by one in the same scene.
    auto camera = [] {
        beginFrame();
        lookFrom(CameraState.eye, CameraState.target);
    };
    report("  clear only", timeRepeated(100, camera));
    compare(
        "  clear + sky + terrain", 100,
        [&] {
            camera();
            drawReferenceGround();
        },
        [&] {
            camera();
            drawWorldGround();
        });
    std::printf(
        "  (quarter blocks skipped %d of %d, tiles skipped %d of 400)\n", world->lastSkippedBlocks,
        256 * static_cast<int>(std::count_if(std::begin(world->tiles), std::end(world->tiles),
                                             [](const auto& t) { return t->ready; })),
        world->lastSkippedTiles);
    report("  clear + deciding what to skip", timeRepeated(100, [&] {
               camera();
               world->decideVisibility();
           }));
    report("  clear + tank", timeRepeated(100, [&] {
               camera();
               player->draw(true);
           }));
    report("  clear + blocks + scenery", timeRepeated(100, [&] {
               camera();
               for (auto& p : blocks) drawProp(*p);
               for (auto& p : scenery) drawProp(*p);
           }));
    report("  clear + enemies", timeRepeated(100, [&] {
               camera();
               for (auto& e : enemies) {
                   if (e) e->draw();
               }
           }));
    report("  clear + selection pass", timeRepeated(100, [&] {
               camera();
               beginPickPass();
               drawPickShapes();
               endPickPass();
           }));
    // The models sent vertex by vertex (reference) against their lists.
    auto immediately = [](const std::function<void()>& work) {
        return [work] {
            drawModelsImmediately = true;
            work();
            drawModelsImmediately = false;
        };
    };
    const std::function<void()> models = [&] {
        camera();
        player->draw(true);
        for (auto& p : blocks) drawProp(*p);
        for (auto& p : scenery) drawProp(*p);
        for (auto& e : enemies) {
            if (e) e->draw();
        }
    };
    const std::function<void()> pick = [&] {
        camera();
        beginPickPass();
        drawPickShapes();
        endPickPass();
    };
    compare("  models: immediate | lists", 100, immediately(models), models);
    compare("  pick pass: immediate | lists", 100, immediately(pick), pick);
    compare("  game frame: immediate | lists", 100, immediately(drawGameFrame), drawGameFrame);
    report("  clear + hud", timeRepeated(100, [&] {
               camera();
               drawHud();
           }));
    report("  buffer swap", timeRepeated(100, [] { glutSwapBuffers(); }));

    // Ticks with the tank driving.
    player->driveInput = 1;
    report("game tick (driving)", timeRepeated(200, gameTick));
    player->driveInput = 0;

    measureCrossing();
}
}  // namespace
