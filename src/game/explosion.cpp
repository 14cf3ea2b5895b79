#include "game/explosion.h"

#include "platform/random.h"

Explosion::Explosion(const Vec3& position, std::int32_t type) : position(position), type(type) {
    if (type == ExplosionType::Ember) {
        // An ember: a random upward heading and speed, drawn in this order.
        pitch = static_cast<float>(rng::rand() % 90 + 270);
        yaw = static_cast<float>(rng::rand() % 360);
        speed = static_cast<float>(rng::rand() % 10 + 3);
    }
    life = 40.0f;
}

int Explosion::frame() const {
    // Five units of life per frame: 35..40 is frame 1, below 5 is frame 8.
    if (life >= 35.0f) return 1;
    if (life < 5.0f) return 8;
    return 8 - static_cast<int>(life / 5.0f);
}
