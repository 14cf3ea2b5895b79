#pragma once
// Bursts (eight-frame sprites) and embers (small cubes thrown from a spot).
#include <cstdint>

#include "game/vec_math.h"

class Explosion {
public:
    Vec3 position;
    float yaw = 0.0f;
    float pitch = 0.0f;
    std::int32_t type = 0;
    float speed = 0.0f;
    float life = 40.0f;

    Explosion(const Vec3& position, std::int32_t type);

    void step();
    void draw();
    // Burst frame 1..8 for the remaining life.
    int frame() const;
};
