#pragma once
// The enemy vehicles: chase the player, lay their guns, fire, die, respawn.
#include <cstdint>

#include "game/vec_math.h"

// The three vehicles; an enemy's hull hits with its kind's value (see hit_test.h).
enum class EnemyKind : std::int32_t { Heavy = 11, Tank = 12, Car = 13 };

class EnemyUnit {
public:
    Vec3 position{0.0f, 20.0f, 0.0f};
    float hullHeading = 0.0f;
    float hullPitch = 0.0f;
    float hullRoll = 0.0f;
    float turretYaw = 0.0f;
    float turretPitch = 0.0f;
    float aimYaw = 0.0f;
    float aimPitch = 0.0f;
    float elevation = 0.0f;
    std::int32_t health = 0;
    float radius = 0.0f;
    float hullTurnRate = 0.0f;
    float speed = 0.0f;
    float turretTurnRate = 0.0f;
    EnemyKind kind;
    std::int32_t index = 0;
    float targetYaw = 0.0f;
    float targetPitch = 0.0f;
    std::int32_t lastHit = 0;  // a HitKind
    std::int32_t reload = 0;
    float muzzleSpeed = 169.73126f;

    EnemyUnit(EnemyKind kind, std::int32_t index);

    void place();
    void tick();
    void fire();
    void applyDamage();
    void draw();
    void drawPick();
    // Tilts with the ground under the unit, as each drawing does first.
    void followSlope();
};

// A random ground point at least 128 units from the player on each axis.
Vec3 spawnPoint(int range);
// Gun elevation in degrees for the unit's distance to the player; 0 out of range.
float ballisticElevation(const EnemyUnit& unit);
