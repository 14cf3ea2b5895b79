#pragma once
// Bursts (eight-frame sprites) and embers (small cubes thrown from a spot).
#include <cstdint>

#include "game/vec_math.h"

// An explosion's type says what it shows and where it came from.
namespace ExplosionType {
constexpr std::int32_t WhiteBurst = 20;   // an enemy destroyed
constexpr std::int32_t GreenBurst = 21;   // a player missile's end
constexpr std::int32_t OrangeBurst = 22;  // an enemy shell's end
constexpr std::int32_t Ember = 23;        // a white cube thrown from a spot
}  // namespace ExplosionType

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
