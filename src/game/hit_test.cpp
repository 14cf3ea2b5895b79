#include "game/hit_test.h"

#include "game/game_events.h"
#include "game/game_state.h"

namespace {

bool touchesBlock(const WorldProp& block, const Vec3& p, float r) {
    // Extents are whole units; the half sizes round toward zero on purpose.
    const int hx = block.sizeX / 2;
    const int hz = block.sizeZ / 2;
    return block.x - hx - r <= p.x && p.x <= block.x + hx + r &&  //
           block.z - hz - r <= p.z && p.z <= block.z + hz + r &&  //
           block.y - r <= p.y && p.y <= block.y + block.sizeY + r;
}

}  // namespace

bool hitTest(const Vec3& p, float r, int kind, int self) {
    for (const auto& block : blocks) {
        if (block && touchesBlock(*block, p, r)) return true;
    }

    for (int i = 0; i < kEnemyCount; ++i) {
        EnemyUnit* enemy = enemies[i].get();
        if (!enemy || i == self) continue;
        const float d = vecLength(vecSub(enemy->position, p));
        if (r + enemy->radius >= d) {
            if (kind == HitKind::PlayerShell || kind == HitKind::PlayerMissile ||
                kind == HitKind::EnemyShell) {
                enemy->lastHit = kind;
            }
            if (kind == HitKind::PlayerShell) ++GameStats.hit;
            return true;
        }
    }

    if (kind == HitKind::PlayerBody || !player) return false;
    const float d = vecLength(vecSub(player->position, p));
    const bool touched = player->radius + r >= d;
    if (touched && kind == HitKind::EnemyShell) {
        ++GameStats.hurt;
        if (gameEvents) gameEvents->playerHit(player->position);
    }
    return touched;
}
