#pragma once
// A pad SDL makes up: no device node, no permissions, with a rumble motor
// that writes down what it was asked. Each change is followed by one pass
// of the game's timer (or idle callback), as the test defines it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/gamepad_input.h"
#include "gamepad/made_up_pad.h"

struct VirtualPad {
    SDL_Joystick* joystick = nullptr;
    std::vector<Uint16> rumbles;  // the strong motor of each request
    void (*pass)() = pollGamepad;

    // Plugs the pad in; the pads must be started.
    void attach() {
        const auto heard = [](void* self, Uint16 low, Uint16) {
            static_cast<VirtualPad*>(self)->rumbles.push_back(low);
            return 0;
        };
        joystick = plugInMadeUpPad("Brakkon test pad", heard, this);
        ASSERT_TRUE(joystick) << SDL_GetError();
        const int before = padsOpen();
        pass();
        ASSERT_EQ(padsOpen(), before + 1);
    }
    void detach() {
        pullOutMadeUpPad(joystick);
        joystick = nullptr;
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
