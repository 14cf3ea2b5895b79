#include "gamepad/pad_device.h"

#include <SDL.h>

#include <vector>

namespace {
struct OpenPad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    PadState state;
    PadMemory memory;
};

bool started = false;
std::vector<OpenPad> pads;

OpenPad* padWithId(SDL_JoystickID id) {
    for (auto& pad : pads)
        if (pad.id == id) return &pad;
    return nullptr;
}

bool openPad(int deviceIndex) {
    if (padWithId(SDL_JoystickGetDeviceInstanceID(deviceIndex))) return false;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return false;
    OpenPad pad;
    pad.controller = controller;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // Where the sticks and triggers stand now; buttons already held count
    // from their next press.
    for (int a = 0; a < kPadAxes; ++a) {
        const auto axis = static_cast<SDL_GameControllerAxis>(a);
        recordAxis(pad.state, static_cast<PadAxis>(a),
                   axisFraction(SDL_GameControllerGetAxis(controller, axis)));
    }
    for (int& n : pad.state.presses) n = 0;
    pads.push_back(pad);
    return true;
}

bool closePad(SDL_JoystickID id) {
    for (auto it = pads.begin(); it != pads.end(); ++it) {
        if (it->id != id) continue;
        SDL_GameControllerClose(it->controller);
        pads.erase(it);
        return true;
    }
    return false;
}

void addUp(PadActions& sum, const PadActions& one) {
    if (one.driveChanged) {
        sum.driveChanged = true;
        sum.drive = one.drive;
    }
    if (one.turnChanged) {
        sum.turnChanged = true;
        sum.turn = one.turn;
    }
    sum.aimX += one.aimX;
    sum.aimY += one.aimY;
    sum.shell += one.shell;
    sum.missile += one.missile;
    sum.slowMotion += one.slowMotion;
    sum.embers += one.embers;
    sum.mute += one.mute;
    sum.status += one.status;
    sum.pause += one.pause;
    sum.screenshot += one.screenshot;
    sum.choose += one.choose;
    sum.back += one.back;
    sum.start += one.start;
    sum.up += one.up;
    sum.down += one.down;
    sum.left += one.left;
    sum.right += one.right;
    for (int i = 0; i < kPadControls; ++i) sum.presses[i] += one.presses[i];
}
}  // namespace

bool startPads(std::string& why) {
    if (started) return true;
    // The game handles its own stop signals; SDL must not take them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL has no window of its own here: pads count whatever has the focus,
    // and the game decides what a press does while it is in the background.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        why = SDL_GetError();
        return false;
    }
    started = true;
    return true;
}

bool padsStarted() { return started; }

void stopPads() {
    if (!started) return;
    for (auto& pad : pads) SDL_GameControllerClose(pad.controller);
    pads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_Quit();
    started = false;
}

PadNews pollPads(const GamepadSettings& settings) {
    PadNews news;
    if (!started) return news;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_CONTROLLERDEVICEADDED:
                if (openPad(event.cdevice.which)) news.plugged += 1;
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                if (closePad(event.cdevice.which)) news.unplugged += 1;
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (OpenPad* pad = padWithId(event.cbutton.which)) {
                    if (event.cbutton.button < kPadButtons)
                        recordButton(pad->state, static_cast<PadControl>(event.cbutton.button),
                                     event.cbutton.state == SDL_PRESSED);
                }
                break;
            case SDL_CONTROLLERAXISMOTION:
                if (OpenPad* pad = padWithId(event.caxis.which)) {
                    if (event.caxis.axis < kPadAxes)
                        recordAxis(pad->state, static_cast<PadAxis>(event.caxis.axis),
                                   axisFraction(event.caxis.value));
                }
                break;
            default:
                break;
        }
    }
    for (auto& pad : pads) addUp(news.actions, mapPad(pad.state, pad.memory, settings));
    return news;
}

int padsOpen() { return static_cast<int>(pads.size()); }

void rumblePads(std::uint16_t low, std::uint16_t high, std::uint32_t milliseconds) {
    for (auto& pad : pads) {
        if (SDL_GameControllerHasRumble(pad.controller))
            SDL_GameControllerRumble(pad.controller, low, high, milliseconds);
    }
}
