#include "sound/sound_set.h"

std::string soundFilePath(SoundId sound) {
    static const char* const names[kSoundCount] = {
        "shell_fire",    "missile_launch",    "missile_flight",  "enemy_fire", "enemy_impact",
        "burst_missile", "burst_enemy_shell", "burst_destroyed", "player_hit", "engine",
        "embers",        "menu_click"};
    const int i = static_cast<int>(sound);
    if (i < 0 || i >= kSoundCount) return {};
    return std::string("sound/") + names[i] + ".wav";
}
