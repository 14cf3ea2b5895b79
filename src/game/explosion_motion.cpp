#include "game/explosion.h"
#include "game/game_state.h"

void Explosion::step() {
    if (type == ExplosionType::Ember) {
        // An ember flies along its heading and drops 1/30 per tick.
        const Vec3 heading = vecNormalize(aimToDirection(yaw, pitch));
        const Vec3 start = position;
        Vec3 p = vecAdd(position, vecScale(TimeScale * speed * 0.016666668f * 0.01, heading));
        p.y -= TimeScale * 0.033333335f * 0.01;
        position = p;
        // Its next heading is the way it actually moved, drop included, so
        // the drop bends its path into an arc.
        const Aim course = directionToAim(vecSub(p, start));
        yaw = course.yaw;
        pitch = course.pitch;
    }
    life -= TimeScale * 0.01f;
}
