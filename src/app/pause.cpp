#include "app/pause.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstring>

#include "app/focus_watch.h"
#include "app/globals.h"
#include "app/hud_scale.h"
#include "app/input.h"
#include "app/match_news.h"
#include "app/options_panel.h"
#include "app/overlay2d.h"
#include "app/pointer_capture.h"
#include "app/scaled_text.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "gamepad/pad_device.h"

bool gamePaused = false;

namespace {
constexpr const char* kTitle = "PAUSED";
constexpr const char* kHowToGoOn = "Click or press a key to play on";
constexpr const char* kHowToGoOnWithPad = "Click, press a key or A to play on";

// Draws one line of text centred on x, with its baseline at y.
void centredText(const char* text, int x, int y, int scale) {
    const int width = static_cast<int>(std::strlen(text)) * 8 * scale;
    drawScaledText(text, x - width / 2, y, scale);
}
}  // namespace

void pauseGame() {
    if (gamePaused) return;
    noteActionStep(PlayerActions{});
    releaseHeldActions(playerActions);
    gamePaused = true;
    if (gameEvents) gameEvents->pauseChanged(true);
    if (haveGameWindow()) {
        glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
        glutPostRedisplay();
    }
}

void resumeGame(int x, int y) {
    if (!gamePaused || gameWindowAwayNow()) return;
    if (optionsPanelOpen) closeOptionsPanel();
    gamePaused = false;
    lastMouseX = x;
    lastMouseY = y;
    if (gameEvents) gameEvents->pauseChanged(false);
    if (haveGameWindow()) glutSetCursor(GLUT_CURSOR_NONE);
}

void pauseIfAwayAtStart() {
    // What happened during the pre-game screens only counts as it stands now.
    readWindowNews();
    if (gameWindowAway()) pauseGame();
}

bool tickUnlessPaused() {
    const WindowNews news = readWindowNews();
    if (news.lost) {
        pauseGame();
    } else if (news.pauseKey) {
        if (gamePaused)
            resumeGame(news.keyX, news.keyY);
        else
            pauseGame();
    }
    runPositionKeys(news.keys);
    // A device read once per pass has filled the record by now.
    if (!gamePaused) runPlayerActions();
    if (gamePaused) return false;
    playOneTick();
    countFrame();
    return true;
}

void drawPauseNotice() {
    if (optionsPanelOpen) return drawOptionsPanel();
    const int W = windowWidth, H = windowHeight, s = hudScale(W, H);
    const char* howToGoOn = padsOpen() > 0 ? kHowToGoOnWithPad : kHowToGoOn;
    const int lineScale =
        std::max(1, std::min(2 * s, W / (static_cast<int>(std::strlen(howToGoOn)) * 8)));
    begin2D();
    drawNoticeBand(W, H / 2 - 64 * s, H / 2 + 88 * s);
    centredText(kTitle, W / 2, H / 2 - 8 * s, 4 * s);
    centredText(howToGoOn, W / 2, H / 2 + 28 * s, lineScale);
    drawOptionsButton();
    end2D();
}

namespace {
// `typed` is the character the key types, which opens the panel.
void pausedPress(InputKey key, InputKey typed, int x, int y) {
    if (optionsPanelOpen) return optionsPanelKey(key);
    if (typed == kOptionsKey || typed == 'O') return openOptionsPanel();
    resumeGame(x, y);
}
}  // namespace

void pausedKey(InputKey key, int x, int y) { pausedPress(key, key, x, y); }

void pausedSpecialKey(InputKey key) {
    const bool screenshot = actionForKey(keyBindings, key) == BoundAction::Screenshot;
    // The panel takes them, the screenshot key aside unless a key is being chosen.
    if (optionsPanelOpen && (optionsPanelTakesKeys() || !screenshot)) return optionsPanelKey(key);
    if (screenshot) pressBoundKey(key);
}

void pausedPositionKey(const PositionKey& key) {
    if (key.key >= kSpecialKey) return pausedSpecialKey(key.key);
    pausedPress(key.key, key.typed, key.x, key.y);
}

void pausedClick(int button, int x, int y) {
    if (optionsPanelOpen) return optionsPanelClick(kMouseKey + button, x, y);
    if (button == GLUT_LEFT_BUTTON && onOptionsButton(x, y)) return openOptionsPanel();
    resumeGame(x, y);
}

void pausedPointer(int x, int y) {
    if (optionsPanelOpen) optionsPanelPoint(x, y);
}
