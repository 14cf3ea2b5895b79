#pragma once
// Shells, missiles and enemy shells in flight.
#include <cstdint>

#include "game/hit_kind.h"
#include "game/vec_math.h"

// The projectile table's slots, and the ranges each shooter fills.
constexpr int kProjectileSlots = 65;
constexpr int kPlayerShellFirst = 0, kPlayerShellLast = 29;
constexpr int kPlayerMissileFirst = 30, kPlayerMissileLast = 32;
constexpr int kEnemyShellFirst = 40, kEnemyShellLast = 64;

// The timer of an enemy shell that ended before its fuse ran down: it
// leaves no burst.
constexpr std::int32_t kQuietEnemyShellTimer = -10000;

class Projectile {
public:
    Vec3 position;
    float yaw = 0.0f;
    float pitch = 0.0f;
    std::int32_t kind = 0;  // HitKind::PlayerShell, PlayerMissile or EnemyShell
    bool climbed = false;
    Vec3 nextPosition;
    std::int32_t timer = 0;
    std::int32_t spinDivisor = 0;

    // Draws spinDivisor from the main thread's random sequence.
    Projectile(float yaw, float pitch, const Vec3& position, std::int32_t kind, std::int32_t timer);

    void step();
    Vec3 flightStep();
    void draw();
};
