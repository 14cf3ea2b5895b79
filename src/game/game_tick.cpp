#include "game/game_tick.h"

#include <memory>

#include "game/camera.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/slot_table.h"
#include "game/tick_view.h"

namespace {
void stepExplosions() {
    for (auto& slot : explosions) {
        if (!slot) continue;
        if (slot->life < 0.0f) {
            slot.reset();
        } else {
            slot->step();
        }
    }
}

// A finished missile bursts green, an enemy shell orange unless it was ended
// quietly; a player shell leaves no burst (0).
int burstTypeFor(const Projectile& projectile) {
    if (projectile.kind == HitKind::PlayerMissile) return ExplosionType::GreenBurst;
    if (projectile.kind == HitKind::EnemyShell && projectile.timer != kQuietEnemyShellTimer)
        return ExplosionType::OrangeBurst;
    return 0;
}

void stepProjectiles() {
    for (auto& slot : projectiles) {
        if (!slot) continue;
        if (slot->timer >= 0) {
            // A projectile that finishes now is removed on the next tick.
            slot->step();
            continue;
        }
        const int burst = burstTypeFor(*slot);
        const int free = burst != 0 ? firstEmptySlot(explosions) : -1;
        if (free >= 0) {
            explosions[free] = std::make_unique<Explosion>(slot->position, burst);
            if (gameEvents) gameEvents->explosionStarted(burst, slot->position);
        }
        if (gameEvents) {
            gameEvents->projectileRemoved(static_cast<int>(&slot - projectiles), slot->kind,
                                          slot->position);
        }
        slot.reset();
    }
}

void stepEnemies() {
    for (auto& enemy : enemies) {
        if (enemy) enemy->tick();
    }
    // Units destroyed in this loop stayed alive until their tick ended.
    for (auto& retired : retiredEnemies) retired.reset();
}
}  // namespace

void gameTick() {
    stepExplosions();
    stepProjectiles();
    stepEnemies();
    if (player) player->update();
    updateCamera();
    if (gameEvents) gameEvents->tickEnded(currentTickView());
}
