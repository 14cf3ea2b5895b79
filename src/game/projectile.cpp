#include "game/projectile.h"

#include "platform/random.h"

Projectile::Projectile(float yaw, float pitch, const Vec3& position, std::int32_t kind,
                       std::int32_t timer)
    : position(position), yaw(yaw), pitch(pitch), kind(kind), timer(timer) {
    spinDivisor = rng::rand() % 10;
}
