#include "app/gamepad_input.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/focus_watch.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/options_panel.h"
#include "app/pause.h"
#include "app/pointer_capture.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "game/game_events_tee.h"
#include "gamepad/pad_rumble.h"

GamepadSettings gamepadSettings;

namespace {
void sendRumble(const RumblePulse& pulse) { rumblePads(pulse.low, pulse.high, pulse.milliseconds); }

void onMenu(const PadActions& a) {
    if (screenState == ScreenState::Menu && (a.choose > 0 || a.start > 0)) beginFromMenu();
}

void playOn() {
    // The pointer goes back to the centre, where aiming takes it from.
    const WindowPoint centre = warpPoint(windowWidth, windowHeight);
    warpPointerTo(centre);
    resumeGame(centre.x, centre.y);
}

void repeatMove(int times, PanelMove move) {
    for (int i = 0; i < times; ++i) moveInOptionsPanel(move);
}

// The panel: the d-pad or left stick moves and changes, A selects, B goes
// back to the notice, Start plays on. While a binding is being chosen, the
// first control pressed is the new one.
void inOptionsPanel(const PadActions& a) {
    if (optionsPanelTakesKeys()) {
        for (int c = 0; c < kPadControls; ++c) {
            if (a.presses[c] > 0) return optionsPanelPadButton(static_cast<PadControl>(c));
        }
        return;
    }
    if (a.start > 0) return playOn();
    repeatMove(a.up, PanelMove::Up);
    repeatMove(a.down, PanelMove::Down);
    repeatMove(a.left, PanelMove::Left);
    repeatMove(a.right, PanelMove::Right);
    if (a.choose > 0) return moveInOptionsPanel(PanelMove::Activate);
    if (a.back > 0) moveInOptionsPanel(PanelMove::Back);
}

// The notice: the pause button plays on, as it paused; else Y opens the
// options, and A, B or Start play on.
void onPauseNotice(const PadActions& a) {
    // A pad cannot bring the window back: the player does that.
    if (gameWindowAway()) return;
    if (optionsPanelOpen) return inOptionsPanel(a);
    if (a.pause > 0) return playOn();
    if (a.presses[static_cast<int>(PadControl::Y)] > 0) return openOptionsPanel();
    if (a.choose + a.back + a.start > 0) playOn();
}

void inPlay(const PadActions& a) {
    addToPlayerActions(a, playerActions, kDegreesPerPixel * mouseAim.sensitivity, mouseAim.invert);
}
}  // namespace

void startGamepad() {
    std::string why;
    if (!startPads(why)) {
        std::fprintf(stderr, "Brakkon: no gamepads (%s); play with the keyboard and mouse.\n",
                     why.c_str());
        return;
    }
    static PadRumble rumble(gamepadSettings.rumble, sendRumble);
    static std::unique_ptr<GameEventsTee> both;
    if (gameEvents) {
        both = std::make_unique<GameEventsTee>(*gameEvents, rumble);
        gameEvents = both.get();
    } else {
        gameEvents = &rumble;
    }
}

void pollGamepad() {
    if (!padsStarted()) return;
    applyPadNews(pollPads(gamepadSettings));
}

void applyPadNews(const PadNews& news) {
    if (!playStarted) return onMenu(news.actions);
    // A pad pulled out mid-fight stops the fight, as consoles do.
    if (news.unplugged > 0) pauseGame();
    if (gamePaused) return onPauseNotice(news.actions);
    inPlay(news.actions);
}
