#include "sound/sound_file.h"

#include <sndfile.h>
#include <sys/stat.h>

bool readSoundFile(const std::string& path, SoundSamples& sound, std::string& problem) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        problem = "is missing";
        return false;
    }
    SF_INFO format{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &format);
    if (!file) {
        problem = "is not a sound file that can be read";
        return false;
    }
    bool ok = false;
    if (format.channels != 1) {
        problem = "has " + std::to_string(format.channels) + " channels where one is needed";
    } else if (format.frames <= 0 || format.samplerate <= 0) {
        problem = "holds no sound";
    } else {
        sound.rate = format.samplerate;
        sound.samples.assign(static_cast<size_t>(format.frames), 0);
        const sf_count_t got = sf_readf_short(file, sound.samples.data(), format.frames);
        ok = got == format.frames;
        if (!ok) problem = "is cut short";
    }
    sf_close(file);
    if (!ok) sound = SoundSamples{};
    return ok;
}

void SoundBank::load(const std::string& folder,
                     const std::function<void(const std::string&)>& say) {
    for (int i = 0; i < kSoundCount; ++i) {
        const std::string name = soundFilePath(static_cast<SoundId>(i));
        std::string problem;
        loaded[i] = readSoundFile(folder + "/" + name, sounds[i], problem);
        if (!loaded[i])
            say("Brakkon: sound file " + name + " " + problem + "; playing on without it.");
    }
}
