#pragma once
// A pad SDL makes up: no device node, no permissions, with a rumble motor
// that writes down what it was asked. Each change is followed by one pass
// of the game's timer (or idle callback), as the test defines it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/gamepad_input.h"

struct VirtualPad {
    int index = -1;
    SDL_Joystick* joystick = nullptr;
    std::vector<Uint16> rumbles;  // the strong motor of each request
    void (*pass)() = pollGamepad;

    // Plugs the pad in; the pads must be started.
    void attach() {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Brakkon test pad";
        desc.userdata = this;
        desc.Rumble = [](void* self, Uint16 low, Uint16) {
            static_cast<VirtualPad*>(self)->rumbles.push_back(low);
            return 0;
        };
        index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(index);
        ASSERT_TRUE(joystick) << SDL_GetError();
        const int before = padsOpen();
        pass();
        ASSERT_EQ(padsOpen(), before + 1);
    }
    void detach() {
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        SDL_JoystickDetachVirtual(index);
        index = -1;
    }
    // Sets a control, then one pass.
    void stick(SDL_GameControllerAxis a, Sint16 v) {
        SDL_JoystickSetVirtualAxis(joystick, a, v);
        pass();
    }
    void button(SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0);
        pass();
    }
};
