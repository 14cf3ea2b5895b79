#include "app/game_sound.h"

#include <cstdio>
#include <memory>
#include <string>

#include "game/game_events.h"
#include "sound/openal_output.h"
#include "sound/sound_director.h"
#include "sound/sound_thread.h"

namespace {
void sayOnStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }
}  // namespace

bool startGameSound() {
    static std::unique_ptr<OpenAlOutput> output;
    static std::unique_ptr<SoundDirector> director;
    static std::unique_ptr<SoundThread> thread;
    if (thread) return true;
    output = std::make_unique<OpenAlOutput>(sayOnStandardError);
    if (!output->ready()) {
        output.reset();
        return false;
    }
    SoundBank bank;
    bank.load(".", sayOnStandardError);
    output->upload(bank);
    director = std::make_unique<SoundDirector>(*output);
    thread = startSoundThread(*director);
    if (!thread) {
        sayOnStandardError(
            "Brakkon: the sound could not be started; the game plays without sound.");
        director.reset();
        output.reset();
        return false;
    }
    gameEvents = thread.get();
    return true;
}
