#pragma once
// What happens in the game, told to whoever listens (the sound layer). The
// game only reports: a listener reads what it is given and changes nothing,
// draws no random numbers and writes nothing to the console. With no
// listener installed the game runs exactly as without one.
#include "game/vec_math.h"

// The state a listener follows between events, handed over once per tick.
struct TickView {
    Vec3 eye;     // camera eye
    Vec3 target;  // where the camera looks
    float timeScale = 100.0f;
    Vec3 tank;                 // the player's tank
    bool tankWorking = false;  // driving or turning
    static constexpr int kMissiles = 3;
    bool missileFlying[kMissiles] = {};  // player missile slots, in order
    Vec3 missileAt[kMissiles];
};

class GameEvents {
public:
    virtual ~GameEvents() = default;
    // The player's shell left the gun.
    virtual void shellFired(const Vec3& muzzle) = 0;
    // A player missile went into missile slot `missile` (0 to 2).
    virtual void missileLaunched(int missile, const Vec3& at) = 0;
    virtual void enemyShellFired(const Vec3& at) = 0;
    // A finished projectile left its slot (table index and kind as stored).
    virtual void projectileRemoved(int slot, int kind, const Vec3& at) = 0;
    // Explosions of one type began at a point (embers come ten at a time: one call).
    virtual void explosionStarted(int type, const Vec3& at) = 0;
    // An enemy took damage from a hit of the given kind.
    virtual void enemyDamaged(int hitKind, const Vec3& at) = 0;
    // An enemy shell touched the player's tank.
    virtual void playerHit(const Vec3& at) = 0;
    // START was clicked on the menu.
    virtual void startClicked() = 0;
    // A game tick has ended.
    virtual void tickEnded(const TickView& view) = 0;
    // The player asked to mute or unmute.
    virtual void muteToggled() = 0;
    // Play paused (the game is silent meanwhile) or resumed.
    virtual void pauseChanged(bool paused) = 0;
    // The program is about to end.
    virtual void programEnding() = 0;
};

// The one listener, or nullptr (the default) for none.
extern GameEvents* gameEvents;
