#pragma once
// Sound files read through libsndfile into 16-bit mono samples.
#include <functional>
#include <string>
#include <vector>

#include "sound/sound_set.h"

struct SoundSamples {
    int rate = 0;
    std::vector<short> samples;  // mono
};

// Reads a mono sound file. On failure returns false and puts into `problem`
// what is wrong with it, for a message that names the file.
bool readSoundFile(const std::string& path, SoundSamples& sound, std::string& problem);

// Every sound of the game, read from a game folder. A sound whose file is
// missing or damaged is named once through `say` and stays empty; the rest
// still load.
struct SoundBank {
    SoundSamples sounds[kSoundCount];
    bool loaded[kSoundCount] = {};

    void load(const std::string& folder, const std::function<void(const std::string&)>& say);
    const SoundSamples& operator[](SoundId id) const { return sounds[static_cast<int>(id)]; }
    bool has(SoundId id) const { return loaded[static_cast<int>(id)]; }
};
