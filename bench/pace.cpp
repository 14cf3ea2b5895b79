// The game's pace in the real loop, with the tank driving in a circle:
// ticks per second (read from the status report's counter) and drawn frames
// per second, with one tick per timer pass, with catch-up ticks for slow
// frames and a full tick's wait after every frame (the old loop), and with
// catch-up and no wait while behind (the loop today); then the frame time
// and pace at each render scale. At 1024 x 768
// and then 1920 x 1080 (run under an X screen at least that large), and once
// with a frame that costs nothing. Modes take turns in short rounds, so a
// machine busy with other work disturbs them alike.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/bench_pace [rounds=3] [seconds=3]
//
// Not a test: the numbers depend on the machine; each line carries the load
// average at the time.
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/display_options.h"
#include "app/game_frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/play_pace.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "platform/console.h"

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

std::string loadAverage() {
    char text[64] = "?";
    if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (!std::fgets(text, sizeof text, f)) text[0] = '\0';
        std::fclose(f);
    }
    std::string s(text);
    // The three averages only.
    std::istringstream in(s);
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

struct Mode {
    const char* name;
    bool keepPace;
    int scale;
    bool emptyFrame;
    bool waitEveryFrame;  // the old loop
    int against;          // the mode its frames/s and frame time are compared with; -1: none
};

// What one mode gathered over its rounds.
struct Tally {
    // The game's tick counter (GameStats.fps), once per published second,
    // and the time between publications: a window closes at the first tick
    // past a second, so its count alone overstates the rate when passes are
    // long.
    double ticks = 0, tickMs = 0;
    double frames = 0, ms = 0;    // drawn frames and the time they were counted over
    std::vector<double> frameMs;  // each drawn frame's time
};

bool emptyFrame = false;
Tally* counting = nullptr;

void measuredDisplay() {
    const auto t = Clock::now();
    if (emptyFrame) {
        glutSwapBuffers();
    } else {
        drawGameFrame();
        glFinish();
    }
    if (counting) {
        counting->frames += 1;
        counting->frameMs.push_back(msSince(t));
    }
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int rounds = 3;
double secondsPerRound = 3.0;
const int sizes[][2] = {{1024, 768}, {1920, 1080}};
const Mode modes[] = {
    {"one tick per timer pass", false, 100, false, false, -1},
    {"catch-up, wait after every frame (old)", true, 100, false, true, -1},
    {"catch-up, no wait while behind (new)", true, 100, false, false, 1},
    {"new, render scale 75 %", true, 75, false, false, 2},
    {"new, render scale 50 %", true, 50, false, false, 2},
    {"one tick per timer pass, empty frame", false, 100, true, false, -1},
    {"old, empty frame", true, 100, true, true, -1},
    {"new, empty frame", true, 100, true, false, 6},
};
constexpr int kModes = sizeof modes / sizeof modes[0];

enum class Phase { Intro, Loading, Resize, Settle, Count, Done };
Phase phase = Phase::Intro;
int sizeIndex = 0, round = 0, modeIndex = 0;
Clock::time_point began;
float lastPublished = -1;
Tally tallies[kModes];

void applyMode(const Mode& m) {
    displayOptions.keepPace = m.keepPace;
    displayOptions.renderScalePercent = m.scale;
    emptyFrame = m.emptyFrame;
    waitAfterEveryFrame = m.waitEveryFrame;
}

void report() {
    const int w = sizes[sizeIndex][0], h = sizes[sizeIndex][1];
    std::printf("\n%d x %d, %d rounds of %.0f s per mode, load average now %s\n", w, h, rounds,
                secondsPerRound, loadAverage().c_str());
    std::printf("  %-40s %10s %12s %12s\n", "", "ticks/s", "frames/s", "frame ms");
    auto framesPerSecond = [](const Tally& t) { return t.ms > 0 ? t.frames * 1000.0 / t.ms : 0.0; };
    auto ticksPerSecond = [](const Tally& t) {
        return t.tickMs > 0 ? t.ticks * 1000.0 / t.tickMs : 0.0;
    };
    const double designTicks = ticksPerSecond(tallies[0]);
    for (int i = 0; i < kModes; ++i) {
        const Tally& t = tallies[i];
        const double ticks = ticksPerSecond(t);
        std::printf("  %-40s %10.1f %12.1f %12.2f", modes[i].name, ticks, framesPerSecond(t),
                    median(t.frameMs));
        if (i > 0 && !modes[i].emptyFrame && designTicks > 0)
            std::printf("   ticks x%.2f", ticks / designTicks);
        const int a = modes[i].against;
        if (a >= 0 && framesPerSecond(tallies[a]) > 0 && median(tallies[a].frameMs) > 0)
            std::printf("   frames/s x%.2f  frame ms x%.2f (against %s)",
                        framesPerSecond(t) / framesPerSecond(tallies[a]),
                        median(t.frameMs) / median(tallies[a].frameMs), modes[a].name);
        std::printf("\n");
    }
}

void nextMode() {
    if (++modeIndex < kModes) return;
    modeIndex = 0;
    if (++round < rounds) return;
    round = 0;
    report();
    for (auto& t : tallies) t = Tally{};
    if (++sizeIndex < 2) return;
    phase = Phase::Done;
}

void monitor(int) {
    switch (phase) {
        case Phase::Intro:
            if (screenState == ScreenState::Menu) {
                onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, windowWidth * 35 / 100,
                             windowHeight * 75 / 100);
                phase = Phase::Loading;
            }
            break;
        case Phase::Loading:
            if (playStarted) {
                glutDisplayFunc(measuredDisplay);
                // Drive in a circle: the ground under the camera keeps changing
                // but the tank stays among the built tiles.
                onGameKeyDown('w', 0, 0);
                onGameKeyDown('a', 0, 0);
                phase = Phase::Resize;
            }
            break;
        case Phase::Resize:
            if (windowWidth != sizes[sizeIndex][0] || windowHeight != sizes[sizeIndex][1]) {
                glutReshapeWindow(sizes[sizeIndex][0], sizes[sizeIndex][1]);
                break;
            }
            applyMode(modes[modeIndex]);
            began = Clock::now();
            phase = Phase::Settle;
            break;
        case Phase::Settle:
            // The first second after a switch shows the last mode's pace.
            if (msSince(began) > 1200.0) {
                counting = &tallies[modeIndex];
                lastPublished = GameStats.lastFpsTime;
                began = Clock::now();
                phase = Phase::Count;
            }
            break;
        case Phase::Count:
            if (GameStats.lastFpsTime != lastPublished) {
                counting->ticks += GameStats.fps;
                counting->tickMs += GameStats.lastFpsTime - lastPublished;
                lastPublished = GameStats.lastFpsTime;
            }
            if (msSince(began) > secondsPerRound * 1000.0) {
                counting->ms += msSince(began);
                counting = nullptr;
                nextMode();
                phase = phase == Phase::Done ? Phase::Done : Phase::Resize;
            }
            break;
        case Phase::Done:
            std::fflush(stdout);
            std::_Exit(0);
    }
    glutTimerFunc(50, monitor, 0);
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc > 1) rounds = std::max(1, std::atoi(argv[1]));
    if (argc > 2) secondsPerRound = std::max(1.0, std::atof(argv[2]));
    if (chdir(BRAKKON_ASSET_DIR) != 0) {
        std::perror(BRAKKON_ASSET_DIR);
        return 1;
    }
    static std::ostringstream consoleLines;
    setConsoleStream(&consoleLines);
    char window[] = "--window";
    char* gameArgv[] = {argv[0], window, nullptr};
    prepareGame(2, gameArgv);
    std::printf("load average at start %s\n", loadAverage().c_str());
    glutTimerFunc(50, monitor, 0);
    glutMainLoop();
}
