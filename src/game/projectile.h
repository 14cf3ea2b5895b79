#pragma once
// Shells, missiles and enemy shells in flight.
#include <cstdint>

#include "game/vec_math.h"

class Projectile {
public:
    Vec3 position;
    float yaw = 0.0f;
    float pitch = 0.0f;
    std::int32_t kind = 0;
    bool climbed = false;
    Vec3 nextPosition;
    std::int32_t timer = 0;
    std::int32_t spinDivisor = 0;

    // Draws spinDivisor from the main thread's random sequence.
    Projectile(float yaw, float pitch, const Vec3& position, std::int32_t kind,
               std::int32_t timer);

    void step();
    Vec3 flightStep();
    void draw();
};
