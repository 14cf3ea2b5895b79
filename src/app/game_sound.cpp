#include "app/game_sound.h"

#include <cstdio>
#include <memory>
#include <string>

#include "game/game_events.h"
#include "game/player_actions.h"
#include "settings/settings_file.h"
#include "sound/openal_output.h"
#include "sound/sound_director.h"
#include "sound/sound_thread.h"

namespace {
std::unique_ptr<OpenAlOutput> output;
std::unique_ptr<SoundDirector> director;
std::unique_ptr<SoundThread> thread;

void sayOnStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }
}  // namespace

bool startGameSound() {
    if (thread) return true;
    // Without a device too, so the options panel shows the setting.
    playerMuted = playerSettings.muted;
    output = std::make_unique<OpenAlOutput>(sayOnStandardError);
    if (!output->ready()) {
        output.reset();
        return false;
    }
    SoundBank bank;
    bank.load(".", sayOnStandardError);
    output->upload(bank);
    director = std::make_unique<SoundDirector>(*output);
    // Full volume leaves the listener as it always was.
    if (playerSettings.volume != 100) setGameVolume(playerSettings.volume);
    // Before the thread starts, the director may be told directly.
    if (playerSettings.muted) director->muteToggled();
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

void setGameVolume(int volume) {
    if (output) output->setVolume(static_cast<float>(volume) / 100.0f);
}

void setGameMuted(bool muted) {
    if (muted == playerMuted) return;
    playerMuted = muted;
    if (gameEvents) gameEvents->muteToggled();
}
