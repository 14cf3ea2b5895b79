#pragma once
// The list of the game's sounds and how each is made.
#include <string>
#include <vector>

#include "sound_synth.h"

struct GeneratedSound {
    std::string name;  // file name in "sound/", without ".wav"
    Samples (*make)();
};

const std::vector<GeneratedSound>& gameSounds();
