#include "app/game_tick.h"

#include <memory>

#include "app/camera.h"
#include "app/globals.h"
#include "app/tick_view.h"
#include "game/game_events.h"

namespace {
constexpr int kQuietEnemyShellTimer = -10000;

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

// A finished missile bursts green (21), an enemy shell orange (22), unless
// it was ended quietly.
int burstTypeFor(const Projectile& projectile) {
    if (projectile.kind == 2) return 21;
    if (projectile.kind == 4 && projectile.timer != kQuietEnemyShellTimer) return 22;
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
        if (burst != 0) {
            for (auto& explosion : explosions) {
                if (explosion) continue;
                explosion = std::make_unique<Explosion>(slot->position, burst);
                if (gameEvents) gameEvents->explosionStarted(burst, slot->position);
                break;
            }
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
