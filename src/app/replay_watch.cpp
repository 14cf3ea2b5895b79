#include "app/replay_watch.h"

#include <GL/freeglut.h>

#include <iostream>

#include "app/game_exit.h"
#include "app/game_frame.h"
#include "app/globals.h"
#include "app/hud_scale.h"
#include "app/input.h"
#include "app/level_setup.h"
#include "app/overlay2d.h"
#include "app/scaled_text.h"
#include "app/screen_flow.h"
#include "app/screenshot.h"
#include "game/game_events.h"
#include "game/match_tick.h"
#include "game/model_table.h"
#include "platform/clock.h"
#include "platform/input_keys.h"
#include "replay/replay_check.h"
#include "replay/replay_setup.h"

namespace {
constexpr int kPassMs = 22;
constexpr int kNormalSpeedStep = 1;
constexpr int kSpeedSteps = sizeof kReplaySpeeds / sizeof kReplaySpeeds[0];
// At most this many ticks in one pass, however slow the frames.
constexpr double kMostTicksPerPass = 8.0;

struct ReplayWatch {
    bool active = false;
    ReplayFile file;
    std::size_t next = 0;  // the next tick to run
    int speedStep = kNormalSpeedStep;
    bool paused = false;
    double ticksOwed = 0.0;
    int lastPass = 0;
};
ReplayWatch watch;

bool ended() { return watch.next >= watch.file.ticks.size(); }

void runTicks(int clock) {
    watch.ticksOwed += (clock - watch.lastPass) * kReplaySpeeds[watch.speedStep] / kPassMs;
    watch.lastPass = clock;
    if (watch.ticksOwed > kMostTicksPerPass) watch.ticksOwed = kMostTicksPerPass;
    while (watch.ticksOwed >= 1.0 && !ended()) {
        watch.ticksOwed -= 1.0;
        ReplayTick& tick = watch.file.ticks[watch.next++];
        tick.command.alreadyApplied = false;
        tickMatch(theMatch, tick.command);
        countFrame();
    }
}

void replayTimer(int) {
    const int clock = elapsedMilliseconds();
    if (!watch.paused && !ended()) runTicks(clock);
    watch.lastPass = clock;
    updateScreenshotNotice();
    glutPostRedisplay();
    glutTimerFunc(kPassMs, replayTimer, 0);
}

void togglePause() {
    watch.paused = !watch.paused;
    watch.ticksOwed = 0.0;
    if (gameEvents) gameEvents->pauseChanged(watch.paused);
}

void replayKey(unsigned char key, int, int) {
    switch (key) {
        case kEscapeKey:
            quitGame(0);
            break;
        case '\t':
            togglePause();
            break;
        case ']':
            if (watch.speedStep + 1 < kSpeedSteps) ++watch.speedStep;
            break;
        case '[':
            if (watch.speedStep > 0) --watch.speedStep;
            break;
        case 'p':
        case 'P':
            showStatus = !showStatus;
            break;
        default:
            break;
    }
}

void replaySpecialKey(int key, int, int) {
    if (key == GLUT_KEY_F12) screenshotWanted = true;
}

// One line of text with its baseline at y, in the pause band's letters.
void noticeText(const std::string& text, int x, int y, int scale) {
    drawScaledText(text.c_str(), x, y, scale);
}
}  // namespace

bool watchingReplay() { return watch.active; }

void loadReplayToWatch(const std::string& path) {
    std::string bytes, error;
    if (!readReplayBytes(path, bytes, error) || !readReplay(bytes, watch.file, error)) {
        std::cerr << "brakkon: " << path << " cannot be played back: " << error << "\n";
        quitGame(2);
    }
    if (!watch.file.problem.empty())
        std::cerr << "brakkon: " << path << " plays back up to tick " << watch.file.ticks.size()
                  << ": " << watch.file.problem << "\n";
    watch.active = true;
    levelSetupRoutine = setupRecordedLevel;
}

void setupRecordedLevel() {
    setUpRecordedMatch(watch.file.header, true);
    loadHudTextures();
    loadEffectTextures();
    loadDigitTextures();
    loadWorldModels();
    // The recording says when the scenery was grounded and what the
    // crosshair found.
    framesFeedTheMatch = false;
    levelReady = true;
}

void beginWatching() {
    playStarted = true;
    glutPassiveMotionFunc(nullptr);
    glutMouseFunc(nullptr);
    glutDisplayFunc(drawGameFrame);
    glutIdleFunc(nullptr);
    glutKeyboardFunc(replayKey);
    glutKeyboardUpFunc(nullptr);
    glutSpecialFunc(replaySpecialKey);
    glutSpecialUpFunc(nullptr);
    glDisable(GL_TEXTURE_2D);
    watch.lastPass = elapsedMilliseconds();
    glutTimerFunc(kPassMs, replayTimer, 0);
}

std::string replayNoticeText(int speedStep, bool paused) {
    static const char* const kSpeedNames[] = {"x1/2", "", "x2", "x4"};
    std::string text = "REPLAY";
    if (speedStep >= 0 && speedStep < kSpeedSteps && kSpeedNames[speedStep][0] != '\0')
        text += std::string(" ") + kSpeedNames[speedStep];
    if (paused) text += ", PAUSED";
    return text;
}

void drawReplayNotice() {
    if (!watch.active) return;
    const int W = windowWidth, H = windowHeight, s = hudScale(W, H);
    begin2D();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    // Below the status report when it shows.
    const int top = showStatus ? 100 * s : 0;
    noticeText(replayNoticeText(watch.speedStep, watch.paused), 8 * s, top + 30 * s, 2 * s);
    if (ended()) {
        const std::string end = "End of replay: Esc to quit";
        drawNoticeBand(W, H / 2 - 32 * s, H / 2 + 32 * s);
        const int scale = 2 * s;
        const int width = static_cast<int>(end.size()) * 8 * scale;
        noticeText(end, W / 2 - width / 2, H / 2 + 6 * s, scale);
    }
    end2D();
}
