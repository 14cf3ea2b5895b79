#pragma once
// A pad SDL makes up: no device node and no permissions, for the tools and
// tests that play without a real pad. The game itself never makes one.
#include <SDL.h>

// Plugs in a standard pad named `name` (SDL must be started); `rumble`, if
// given, hears every rumble request with `owner`. Returns the open joystick,
// or nullptr with SDL's reason in SDL_GetError().
SDL_Joystick* plugInMadeUpPad(const char* name, int (*rumble)(void* owner, Uint16 low, Uint16 high),
                              void* owner);
// Pulls it out again.
void pullOutMadeUpPad(SDL_Joystick* pad);
