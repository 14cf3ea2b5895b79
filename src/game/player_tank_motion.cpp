#include <cmath>

#include "game/game_state.h"
#include "game/hit_test.h"
#include "game/player_tank.h"

namespace {

constexpr double kDegreesToRadians = 0.01745329252;

// The ground height under a point; flat ground when there is no world (tests).
double groundHeight(float x, float z) { return world ? world->heightAt(x, z) : 0.0; }

bool bodyBlocked(const Vec3& p, std::int32_t radius) {
    return hitTest(p, static_cast<float>(radius), HitKind::PlayerBody, -1);
}

}  // namespace

void PlayerTank::update() {
    // The turn input is whole degrees per second; integer division gives 3 per tick.
    hullHeading += (turnInput / 60) * TimeScale * 0.01;
    wrapAngle(hullHeading);

    // The guns follow the world aim; express it in the hull's own frame.
    Aim relative = aimInFrame(-hullRoll, -hullPitch, -hullHeading, Aim{turretYaw, gunPitch});
    turretYawRel = relative.yaw;
    gunPitchRel = relative.pitch;

    // A tank that stands still does not re-read the ground.
    if (driveInput == 0) return;

    const double heading = hullHeading * kDegreesToRadians;
    float dx = std::sin(heading) * speed * TimeScale * 0.01;
    float dz = std::cos(heading) * speed * TimeScale * 0.01;
    if (driveInput == 2) {
        // Reversing steers the other way round, as a steered vehicle does;
        // the next tick's turn wraps the heading.
        hullHeading -= ((2 * turnInput) / 60) * TimeScale * 0.01;
        dx = -dx;
        dz = -dz;
    }

    // Slide along whatever blocks the full move: try both axes, then z alone,
    // then x alone.
    position.x += dx;
    position.z += dz;
    if (bodyBlocked(position, radius)) {
        position.x -= dx;
        if (bodyBlocked(position, radius)) {
            position.z -= dz;
            position.x += dx;
            if (bodyBlocked(position, radius)) position.x -= dx;
        }
    }
    position.y = static_cast<float>(groundHeight(position.x, position.z));
}
