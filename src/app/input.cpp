#include "app/input.h"

#include <GL/freeglut.h>

#include "app/control_settings.h"
#include "app/focus_watch.h"
#include "app/game_exit.h"
#include "app/globals.h"
#include "app/match_news.h"
#include "app/options_panel.h"
#include "app/pause.h"
#include "app/pointer_capture.h"

MouseAim mouseAim;
bool screenshotWanted = false;

namespace {
// Takes one press away; true when there was one.
bool takePress(int& presses) {
    if (presses <= 0) return false;
    --presses;
    return true;
}
}  // namespace

void runPlayerActions() {
    noteActionStep(playerActions);
    applyPlayerActions(playerActions);
    while (takePress(playerActions.statusReport)) showStatus = !showStatus;
    while (takePress(playerActions.screenshot)) screenshotWanted = true;
    while (takePress(playerActions.pause)) pauseGame();
}

void pressBoundKey(InputKey key) {
    PlayerActions& a = playerActions;
    switch (actionForKey(keyBindings, key)) {
        case BoundAction::Forward:
            a.drive = 1.0f;
            break;
        case BoundAction::Backward:
            a.drive = -1.0f;
            break;
        case BoundAction::TurnLeft:
            a.turn = 1.0f;
            break;
        case BoundAction::TurnRight:
            a.turn = -1.0f;
            break;
        case BoundAction::Shell:
            ++a.shell;
            break;
        case BoundAction::Missile:
            ++a.missile;
            break;
        case BoundAction::Embers:
            ++a.embers;
            break;
        case BoundAction::SlowMotion:
            ++a.slowMotion;
            break;
        case BoundAction::StatusReport:
            ++a.statusReport;
            break;
        case BoundAction::Mute:
            ++a.mute;
            break;
        case BoundAction::Pause:
            ++a.pause;
            break;
        case BoundAction::Screenshot:
            ++a.screenshot;
            break;
        case BoundAction::None:
            return;
    }
    runPlayerActions();
}

void releaseBoundKey(InputKey key) {
    // Letting go of either drive key stops, even while the other is held.
    switch (actionForKey(keyBindings, key)) {
        case BoundAction::Forward:
        case BoundAction::Backward:
            playerActions.drive = 0.0f;
            break;
        case BoundAction::TurnLeft:
        case BoundAction::TurnRight:
            playerActions.turn = 0.0f;
            break;
        default:
            return;
    }
    runPlayerActions();
}

void runPositionKeys(const std::vector<PositionKey>& keys) {
    for (const PositionKey& key : keys) {
        if (gamePaused) {
            // The options panel reads the keys as typed.
            if (key.pressed && !optionsPanelOpen) resumeGame(key.x, key.y);
        } else if (key.pressed) {
            pressBoundKey(key.key);
        } else {
            releaseBoundKey(key.key);
        }
    }
}

void onGameKeyDown(unsigned char key, int x, int y) {
    // While paused any key but Esc belongs to the pause screen; with keys
    // by position only its own keys come this way (the watch's keys resume).
    if (gamePaused && key != kEscapeKey) {
        if (!keysByPosition || optionsPanelOpen || key == kOptionsKey || key == 'O')
            pausedKey(key, x, y);
        return;
    }
    // Keys by position come from the window watch; Esc stays here.
    if (keysByPosition && key != kEscapeKey) return;
    // At once: the sound is not faded or closed, since a stalled audio
    // device would hold the exit up.
    if (key == kEscapeKey) quitGame(0);
    pressBoundKey(key);
}

void onGameKeyUp(unsigned char key, int, int) {
    if (gamePaused || keysByPosition) return;
    releaseBoundKey(key);
}

void onGameSpecialKeyDown(int key, int, int) {
    // Keys that type nothing never resumed a pause; a screenshot still counts.
    const InputKey code = kSpecialKey + key;
    const bool screenshot = actionForKey(keyBindings, code) == BoundAction::Screenshot;
    // The options panel takes these keys, the screenshot key aside unless
    // a key is being chosen.
    if (gamePaused && optionsPanelOpen && (optionsPanelTakesKeys() || !screenshot))
        return optionsPanelKey(code);
    if (keysByPosition) return;
    if (gamePaused && !screenshot) return;
    pressBoundKey(code);
}

void onGameSpecialKeyUp(int key, int, int) {
    if (gamePaused || keysByPosition) return;
    releaseBoundKey(kSpecialKey + key);
}

void onGameButton(int button, int state, int x, int y) {
    // The click that resumes fires nothing.
    if (gamePaused) {
        if (state == GLUT_DOWN) pausedClick(button, x, y);
        return;
    }
    if (state == GLUT_DOWN)
        pressBoundKey(kMouseKey + button);
    else
        releaseBoundKey(kMouseKey + button);
}

void onGameMotion(int x, int y) {
    // Paused, the pointer is the desktop's: no aim, no warp. So is a move that
    // comes after the focus left, before the next tick pauses.
    if (gamePaused) return pausedPointer(x, y);
    if (lookedAwaySinceLastNews()) return;
    const double dx = x - lastMouseX;
    const double dy = y - lastMouseY;
    const double perPixel = kDegreesPerPixel * mouseAim.sensitivity;
    playerActions.aimYaw -= dx * perPixel;
    playerActions.aimPitch += (mouseAim.invert ? -dy : dy) * perPixel;
    runPlayerActions();
    if (pointerNeedsWarp(x, y, windowWidth, windowHeight)) {
        const WindowPoint centre = warpPoint(windowWidth, windowHeight);
        warpPointerTo(centre);
        // The warp's own motion event then arrives at the stored position
        // and turns nothing.
        x = centre.x;
        y = centre.y;
    }
    lastMouseX = x;
    lastMouseY = y;
}
