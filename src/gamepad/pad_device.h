#pragma once
// The pads themselves, through SDL's game controller layer alone: no SDL
// video, no SDL window, no signal handlers (the game keeps its own), so
// without a pad the game runs as it did without SDL. Every pad present or
// plugged in later is opened; each is read through its events once per
// pass.
#include <cstdint>
#include <string>

#include "gamepad/pad_mapping.h"

// Starts SDL's game controller part. False, with SDL's reason in `why`,
// when it cannot: the game then plays without pads.
bool startPads(std::string& why);
// True between a successful startPads() and stopPads().
bool padsStarted();
// Closes every pad and SDL.
void stopPads();

struct PadNews {
    PadActions actions;  // every open pad's actions, added up
    int plugged = 0;     // pads opened since the last poll
    int unplugged = 0;   // open pads that went away since the last poll
};

// Reads what every pad did since the last poll. Does nothing when the pads
// were not started.
PadNews pollPads(const GamepadSettings& settings);
// The number of open pads.
int padsOpen();
// Makes every open pad that can rumble do so: motor strengths 0..65535.
void rumblePads(std::uint16_t low, std::uint16_t high, std::uint32_t milliseconds);
