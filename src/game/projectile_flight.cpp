#include "game/game_state.h"
#include "game/hit_test.h"
#include "game/projectile.h"

namespace {

constexpr float kRange = 200.0f;
constexpr float kCruiseHeight = 40.0f;
constexpr float kSunkDepth = -100.0f;

double groundHeight(float x, float z) { return world ? world->heightAt(x, z) : 0.0; }

}  // namespace

void Projectile::step() {
    nextPosition = flightStep();
    // Finished when too far from the player or under the ground; a shell that
    // ends before its fuse ran down is marked so that it leaves no burst.
    const float distance = player ? vecLength(vecSub(player->position, position)) : 0.0f;
    if (distance > kRange || groundHeight(position.x, position.z) > position.y) {
        timer = timer <= 2 ? -1 : kQuietEnemyShellTimer;
        return;
    }
    position = nextPosition;
}

Vec3 Projectile::flightStep() {
    const double s = TimeScale * 0.01;
    const Vec3 heading = vecNormalize(aimToDirection(yaw, pitch));
    Vec3 next = position;
    switch (kind) {
        case HitKind::PlayerShell:
            next = vecAdd(position, vecScale(s, heading));
            break;
        case HitKind::PlayerMissile:
            next = vecAdd(position, vecScale(s, heading));
            // No steering while the aim points at nothing.
            if (AimPoint.y >= 0.0f) {
                // First climb to cruising height straight above the launch
                // spot; from then on home on the aim point.
                if (position.y < kCruiseHeight && !climbed)
                    AimPoint = Vec3{position.x, kCruiseHeight, position.z};
                else
                    climbed = true;
                const Aim target = directionToAim(vecSub(AimPoint, position));
                yaw += turnStepYaw(yaw, target.yaw) * TimeScale * 3.0 * 0.01;
                wrapAngle(yaw);
                pitch += turnStepPitch(pitch, target.pitch) * TimeScale * 3.0 * 0.01;
                wrapAngle(pitch);
                foldAim(yaw, pitch);
            }
            break;
        case HitKind::EnemyShell:
            next = vecAdd(position, vecScale(2.0 * s, heading));
            // The course bends down a little more each tick.
            pitch += TimeScale * 0.75 * 0.01;
            foldAim(yaw, pitch);
            break;
        default:
            break;
    }

    // Fuse: unarmed while the timer is above 1, then hit-tested each step.
    if (timer > 1) {
        timer = static_cast<std::int32_t>(timer - s);
        return next;
    }
    if (hitTest(next, 0.0f, kind, -1)) next.y = kSunkDepth;
    return next;
}
