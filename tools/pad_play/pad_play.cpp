// Plays the real game with a pad SDL makes up, so the pad's whole path can be
// watched, and screenshotted, on a machine without a pad: A on the menu, the
// left stick drives and turns, the right stick turns the turret, the trigger
// fires, Start pauses, Y opens the options panel, the d-pad and A change
// a setting, B and Start go back to play, Back shows the status report.
// Each step is said on standard error as it is taken ("pad: ..."), so a
// script can wait for it. Esc ends the game as always.
//   [PAD_PLAY_SLOWER=n] pad_play [the game's options]
// PAD_PLAY_SLOWER waits n times as long between steps, for slow screens.
#include <GL/freeglut.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/game_sound.h"
#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/options_panel.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "gamepad/made_up_pad.h"

namespace {
SDL_Joystick* pad = nullptr;

void set(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(pad, axis, value);
}
void hold(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
}

struct Step {
    const char* says;
    std::function<bool()> ready;  // when the step may be taken
    std::function<void()> take;
    int afterMs;  // the least time since the step before
};

bool inPlay() { return playStarted && !gamePaused; }
bool paused() { return playStarted && gamePaused; }

std::vector<Step> script() {
    const auto always = [] { return true; };
    const auto press = [](SDL_GameControllerButton b) { return [b] { hold(b, true); }; };
    const auto release = [](SDL_GameControllerButton b) { return [b] { hold(b, false); }; };
    return {
        {"A on the menu", [] { return screenState == ScreenState::Menu; },
         press(SDL_CONTROLLER_BUTTON_A), 1500},
        {"A let go", always, release(SDL_CONTROLLER_BUTTON_A), 100},
        {"left stick up and right: driving and turning", inPlay,
         [] {
             set(SDL_CONTROLLER_AXIS_LEFTY, -32767);
             set(SDL_CONTROLLER_AXIS_LEFTX, 20000);
         },
         2000},
        {"right stick half right: the turret turns", inPlay,
         [] { set(SDL_CONTROLLER_AXIS_RIGHTX, 16384); }, 2500},
        {"sticks centred", inPlay,
         [] {
             for (auto a : {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY,
                            SDL_CONTROLLER_AXIS_RIGHTX})
                 set(a, 0);
         },
         1500},
        {"trigger pulled", inPlay, [] { set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767); }, 500},
        {"trigger let go", inPlay, [] { set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768); }, 300},
        {"trigger pulled again", inPlay, [] { set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767); }, 300},
        {"trigger let go again", inPlay, [] { set(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768); },
         300},
        {"Back: the status report", inPlay, press(SDL_CONTROLLER_BUTTON_BACK), 1500},
        {"Back let go", always, release(SDL_CONTROLLER_BUTTON_BACK), 100},
        {"Start: paused", inPlay, press(SDL_CONTROLLER_BUTTON_START), 3000},
        {"Start let go", always, release(SDL_CONTROLLER_BUTTON_START), 100},
        {"Y: the options panel", paused, press(SDL_CONTROLLER_BUTTON_Y), 3000},
        {"Y let go", always, release(SDL_CONTROLLER_BUTTON_Y), 100},
        {"d-pad down", [] { return optionsPanelOpen; }, press(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
         1500},
        {"d-pad let go", always, release(SDL_CONTROLLER_BUTTON_DPAD_DOWN), 100},
        {"d-pad right: the invert aim row turned on", always,
         press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 500},
        {"d-pad right let go", always, release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 100},
        {"d-pad right again: turned off", always, press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 3000},
        {"d-pad right let go again", always, release(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 100},
        {"B: back to the pause", always, press(SDL_CONTROLLER_BUTTON_B), 500},
        {"B let go", always, release(SDL_CONTROLLER_BUTTON_B), 100},
        {"Start: playing on", paused, press(SDL_CONTROLLER_BUTTON_START), 3000},
        {"Start let go", always, release(SDL_CONTROLLER_BUTTON_START), 100},
        {"done: Esc ends the game", always, [] {}, 1000},
    };
}

std::vector<Step> steps;
std::size_t next = 0;
int lastMs = 0;
int slower = 1;

void onTimer(int) {
    const int now = glutGet(GLUT_ELAPSED_TIME);
    if (next < steps.size() && now - lastMs >= steps[next].afterMs * slower &&
        steps[next].ready()) {
        steps[next].take();
        std::fprintf(stderr, "pad: %s\n", steps[next].says);
        lastMs = now;
        ++next;
    }
    glutTimerFunc(50, onTimer, 0);
}
}  // namespace

int main(int argc, char** argv) {
    prepareGame(argc, argv);
    startGameSound();
    startGamepad();
    pad = plugInMadeUpPad("Made-up pad", nullptr, nullptr);
    if (!pad) {
        std::fprintf(stderr, "pad_play: no made-up pad: %s\n", SDL_GetError());
        return 1;
    }
    if (const char* n = std::getenv("PAD_PLAY_SLOWER")) slower = std::max(1, std::atoi(n));
    steps = script();
    lastMs = glutGet(GLUT_ELAPSED_TIME);
    glutTimerFunc(50, onTimer, 0);
    glutMainLoop();
}
