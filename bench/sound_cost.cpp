// What sound costs: frame and tick times of the real game with its sound on
// and off, measured in one run in alternating blocks so that both see the
// same machine load and much the same fight. Run under an X display (e.g.
// Xvfb 1024x768); prints both figures and their ratio. Not a test.
//
// Without ALSOFT_DRIVERS set, the sound goes to OpenAL Soft's file backend
// writing into /dev/null: it mixes in real time like a sound card would.
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "app/game_frame.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "game/game_events.h"
#include "game/game_tick.h"
#include "platform/console.h"
#include "sound/openal_output.h"
#include "sound/sound_director.h"
#include "sound/sound_thread.h"

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

constexpr int kRounds = 16;         // each round: one block off, one block on
constexpr int kStepsPerBlock = 20;  // ticks and frames per block

SoundBank bank;
std::vector<double> tickMs[2], frameMs[2];  // [0] sound off, [1] sound on

// The tiles the world keeps meshed around the eye are all built.
bool nearWindowReady() {
    const int span = kWorldTiles * kTileSpan;
    const int px = std::clamp(static_cast<int>(CameraState.eye.x) + span / 2, 0, span);
    const int pz = std::clamp(span / 2 - static_cast<int>(CameraState.eye.z), 0, span);
    auto inside = [&](int p, int origin) {
        return origin - world->viewDistance <= p && p < origin + world->nearSpan;
    };
    for (int i = 0; i < kWorldTiles; ++i)
        for (int j = 0; j < kWorldTiles; ++j)
            if (inside(px, kTileSpan * i) && inside(pz, kTileSpan * j) &&
                !world->tiles[i * kWorldTiles + j]->ready)
                return false;
    return true;
}

// One step of play as a player would: drive, turn now and then, fire a
// shell every 8th step and a missile every 60th; then the tick and the frame.
int stepCount = 0;
void playStep(int mode) {
    player->driveInput = (stepCount / 50) % 3 == 2 ? 0 : 1;
    player->turnInput = (stepCount / 20) % 4 == 1 ? 180 : 0;
    player->turretYaw = 225.0f + 20.0f * ((stepCount / 10) % 3);
    if (stepCount % 8 == 0) fireShell();
    if (stepCount % 60 == 0) fireMissile();
    ++stepCount;
    auto t = Clock::now();
    gameTick();
    tickMs[mode].push_back(msSince(t));
    t = Clock::now();
    drawGameFrame();
    glFinish();
    frameMs[mode].push_back(msSince(t));
}

void runBlock(int mode) {
    std::unique_ptr<OpenAlOutput> output;
    std::unique_ptr<SoundDirector> director;
    std::unique_ptr<SoundThread> thread;
    if (mode == 1) {
        output = std::make_unique<OpenAlOutput>(
            [](const std::string& line) { std::printf("%s\n", line.c_str()); });
        if (!output->ready()) std::exit(1);
        output->upload(bank);
        director = std::make_unique<SoundDirector>(*output);
        thread = std::make_unique<SoundThread>(*director);
        gameEvents = thread.get();
    }
    // Let a newly opened device settle into its rhythm, and a closed one go.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (int i = 0; i < kStepsPerBlock; ++i) playStep(mode);
    gameEvents = nullptr;
    if (thread) thread->programEnding();
}

struct Stats {
    double median, mean;
};
Stats summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    return {v[v.size() / 2], sum / v.size()};
}

// Overall medians and means, and the median over rounds of the ratio of the
// two blocks of a round, which the machine's slow changes of load affect least.
void report(const char* what, const std::vector<double>* samples) {
    const Stats off = summarise(samples[0]), on = summarise(samples[1]);
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        auto block = [&](int mode) {
            const auto begin = samples[mode].begin() + round * kStepsPerBlock;
            return summarise(std::vector<double>(begin, begin + kStepsPerBlock)).median;
        };
        ratios.push_back(block(1) / block(0));
    }
    std::printf(
        "%-10s sound off: median %8.4f ms mean %8.4f ms | sound on: median %8.4f ms "
        "mean %8.4f ms\n",
        what, off.median, off.mean, on.median, on.mean);
    std::printf("%-10s on/off: overall median %.3f, mean %.3f; median of the rounds' ratios %.3f\n",
                what, on.median / off.median, on.mean / off.mean, summarise(ratios).median);
}

void measure() {
    // Alternate which mode goes first, so neither always follows the other.
    for (int round = 0; round < kRounds; ++round) {
        const int first = round % 2;
        runBlock(first);
        runBlock(1 - first);
    }
    std::printf("%d blocks of %d ticks and frames per mode, alternating\n", kRounds,
                kStepsPerBlock);
    report("game tick", tickMs);
    report("game frame", frameMs);
    std::fflush(stdout);
    std::_Exit(0);
}

enum class Phase { Menu, Loading, Tiles };
Phase phase = Phase::Menu;
Clock::time_point phaseBegan = Clock::now();

void monitor(int) {
    switch (phase) {
        case Phase::Menu:
            if (screenState == ScreenState::Menu) {
                onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, windowWidth * 35 / 100,
                             windowHeight * 75 / 100);
                phase = Phase::Loading;
            }
            break;
        case Phase::Loading:
            if (playStarted) {
                phase = Phase::Tiles;
                phaseBegan = Clock::now();
            }
            break;
        case Phase::Tiles:
            if (nearWindowReady() || msSince(phaseBegan) > 180000.0) {
                // Stop the game's own loop; the measurement drives ticks and frames.
                glutIdleFunc(nullptr);
                measure();
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
    static std::string config = "/tmp/brakkon-sound-cost-" + std::to_string(getpid()) + ".conf";
    if (!std::getenv("ALSOFT_DRIVERS")) {
        std::ofstream(config) << "[general]\nchannels = stereo\nfrequency = 44100\n"
                                 "[wave]\nfile = /dev/null\n";
        setenv("ALSOFT_CONF", config.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        std::printf(
            "sound device: OpenAL Soft's file backend into /dev/null, mixing in real time\n");
    }
    bank.load(".", [](const std::string& line) { std::printf("%s\n", line.c_str()); });
    static std::ostringstream consoleLines;  // the game's console lines are not part of the report
    setConsoleStream(&consoleLines);
    prepareGame(argc, argv);
    glutTimerFunc(5, monitor, 0);
    glutMainLoop();
}
