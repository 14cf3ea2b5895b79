#include <cmath>
#include <memory>
#include <ostream>

#include "game/enemy_unit.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/hit_test.h"
#include "game/slot_table.h"
#include "platform/console.h"

namespace {

constexpr int kReloadTicks = 60;
constexpr std::int32_t kEnemyShellFuse = 20;

int damageFor(std::int32_t hitKind) {
    switch (hitKind) {
        case HitKind::PlayerShell:
            return 9;
        case HitKind::PlayerMissile:
            return 1000;
        case HitKind::EnemyShell:
            return 15;
        default:
            return 0;
    }
}

// A burst where the unit stood, a fresh unit of the same kind in its slot,
// and one more kill. The destroyed unit parks in retiredEnemies so that it
// lives until its own tick has ended.
void replaceDestroyed(EnemyUnit& unit) {
    const int burst = firstEmptySlot(explosions);
    if (burst >= 0) {
        explosions[burst] = std::make_unique<Explosion>(unit.position, ExplosionType::WhiteBurst);
        if (gameEvents) gameEvents->explosionStarted(ExplosionType::WhiteBurst, unit.position);
    }
    const int index = unit.index;
    if (index >= 0 && index < kEnemyCount) {
        if (enemies[index].get() == &unit) retiredEnemies[index] = std::move(enemies[index]);
        enemies[index] = std::make_unique<EnemyUnit>(unit.kind, index);
        enemies[index]->place();
    }
    GameStats.killed += 1;
}

}  // namespace

float ballisticElevation(const EnemyUnit& unit) {
    if (!player) return 0.0f;
    const float d = vecLength(vecSub(player->position, unit.position));
    if (d <= unit.muzzleSpeed * 1.414) return std::asin(0.5 * d / unit.muzzleSpeed) * 57.295784f;
    return 0.0f;
}

void EnemyUnit::applyDamage() {
    health -= damageFor(lastHit);
    if (gameEvents) gameEvents->enemyDamaged(lastHit, position);
    lastHit = HitKind::None;
    console() << health << '\n' << std::flush;
}

void EnemyUnit::fire() {
    const int slot = firstEmptySlot(projectiles, kEnemyShellFirst, kEnemyShellLast);
    if (slot < 0) return;
    projectiles[slot] = std::make_unique<Projectile>(aimYaw, aimPitch, position,
                                                     HitKind::EnemyShell, kEnemyShellFuse);
    if (gameEvents) gameEvents->enemyShellFired(position);
}

void EnemyUnit::tick() {
    if (lastHit != HitKind::None) applyDamage();

    // A destroyed unit is replaced at once but still runs the rest of this tick.
    if (health < 0) replaceDestroyed(*this);

    if (reload > 0) reload -= 1;
    if (!player) return;

    const Aim target = directionToAim(vecSub(player->position, position));
    targetYaw = target.yaw;
    targetPitch = target.pitch;

    // Lay the turret on the player; fire when it is laid, loaded and the
    // player was in range on the previous tick.
    const int dy = turnStepYaw(turretYaw, targetYaw);
    const int dp = turnStepPitch(turretPitch, targetPitch);
    if (dy == 0 && dp == 0 && reload == 0 && elevation > 0) {
        fire();
        reload = kReloadTicks;
    } else {
        turretYaw += dy * turretTurnRate;
        wrapAngle(turretYaw);
        turretPitch += dp * turretTurnRate;
        wrapAngle(turretPitch);
    }

    elevation = ballisticElevation(*this);
    // Pitch is positive downward, so subtracting the elevation raises the gun.
    aimYaw = turretYaw;
    aimPitch = turretPitch - elevation;
    foldAim(aimYaw, aimPitch);

    const int dh = turnStepYaw(hullHeading, targetYaw);
    hullHeading += dh * hullTurnRate;
    wrapAngle(hullHeading);

    // Drive ahead; if blocked, try a detour one turn step the other way; if
    // that is blocked too, stay and swing the hull further round.
    const float step = TimeScale * speed * 0.01;
    Vec3 next = vecAdd(position, vecScale(step, vecNormalize(aimToDirection(hullHeading, 0.0f))));
    if (!hitTest(next, radius, kind, index)) {
        position = next;
    } else {
        float detourYaw = hullHeading - dh * hullTurnRate;
        wrapAngle(detourYaw);
        next = vecAdd(position, vecScale(step, vecNormalize(aimToDirection(detourYaw, 0.0f))));
        if (!hitTest(next, radius, kind, index)) {
            position = next;
            hullHeading -= hullTurnRate;
        } else {
            hullHeading += 2 * hullTurnRate;
        }
    }
    position.y = static_cast<float>(world ? world->heightAt(position.x, position.z) : 0.0);
}
