#pragma once
// The game's sounds and the files they are read from, in the game folder's
// "sound/" folder.
#include <string>

enum class SoundId {
    ShellFire,        // the player's shell leaves the gun
    MissileLaunch,    // a player missile lifts off
    MissileFlight,    // looped while a missile flies
    EnemyFire,        // an enemy's gun
    EnemyImpact,      // a projectile strikes an enemy
    BurstMissile,     // explosion where a missile ended
    BurstEnemyShell,  // explosion where an enemy shell ended
    BurstDestroyed,   // an enemy destroyed: the biggest
    PlayerHit,        // an enemy shell strikes the player's tank
    Engine,           // the tank's engine, looped
    Embers,           // a shower of embers
    MenuClick,        // START on the menu
    Count
};

constexpr int kSoundCount = static_cast<int>(SoundId::Count);

// "sound/shell_fire.wav" and so on, relative to the game folder.
std::string soundFilePath(SoundId sound);
