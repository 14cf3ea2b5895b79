#include "game/player_fire.h"

#include "game/game_events.h"
#include "game/game_state.h"
#include "game/slot_table.h"

void fireShell() {
    if (!player) return;
    const int slot = firstEmptySlot(projectiles, kPlayerShellFirst, kPlayerShellLast);
    if (slot < 0) return;
    const Vec3 muzzle{player->position.x, player->position.y + 1.0f, player->position.z};
    projectiles[slot] = std::make_unique<Projectile>(player->turretYaw, player->gunPitch, muzzle,
                                                     HitKind::PlayerShell, 5);
    GameStats.fired += 1;
    if (gameEvents) gameEvents->shellFired(muzzle);
}

void fireMissile() {
    if (!player) return;
    const int slot = firstEmptySlot(projectiles, kPlayerMissileFirst, kPlayerMissileLast);
    if (slot < 0) return;
    projectiles[slot] = std::make_unique<Projectile>(player->hullHeading, 320.0f, player->position,
                                                     HitKind::PlayerMissile, 600);
    if (gameEvents) gameEvents->missileLaunched(slot - kPlayerMissileFirst, player->position);
}

void throwEmbers() {
    if (!player) return;
    spawnExplosions({player->position.x, 12.0f, player->position.z}, ExplosionType::Ember, 10);
}

void spawnExplosions(const Vec3& point, int type, int count) {
    bool started = false;
    for (; count > 0; --count) {
        const int slot = firstEmptySlot(explosions);
        if (slot < 0) break;
        explosions[slot] = std::make_unique<Explosion>(point, type);
        started = true;
    }
    if (started && gameEvents) gameEvents->explosionStarted(type, point);
}
