#include "app/gamepad_input.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/focus_watch.h"
#include "app/globals.h"
#include "app/input.h"
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

void onPauseNotice(const PadActions& a) {
    // A pad cannot bring the window back: the player does that.
    if (gameWindowAway()) return;
    if (a.choose + a.back + a.start + a.pause == 0) return;
    // The pointer goes back to the centre, where aiming takes it from.
    const WindowPoint centre = warpPoint(windowWidth, windowHeight);
    warpPointerTo(centre);
    resumeGame(centre.x, centre.y);
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
