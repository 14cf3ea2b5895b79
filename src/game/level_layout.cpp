#include "game/level_layout.h"

#include <memory>

#include "game/game_state.h"
#include "platform/random.h"

void placeBlocks() {
    for (int i = 0; i < kBlockCount; ++i) {
        const int a = rng::rand() % 300;
        const int b = rng::rand() % 300;
        auto block = std::make_unique<WorldProp>();
        block->x = static_cast<float>(a);
        block->y = 0.0f;
        block->z = static_cast<float>(b);
        block->sizeX = block->sizeZ = block->sizeY = 20;
        block->kind = kBlockKind;
        block->pickName = i;
        blocks[i] = std::move(block);
    }
}

int sceneryKindForSlot(int slot) {
    if (slot < 2) return 47;
    if (slot < 4) return 43;
    if (slot < 6) return 45;
    if (slot < 10) return 46;
    if (slot < 18) return 44;
    return 41;
}

void placeScenery() {
    for (int i = 0; i < kSceneryCount; ++i) {
        const int a = rng::rand() % 600;
        const int b = rng::rand() % 600;
        auto prop = std::make_unique<WorldProp>();
        // Signs and cacti stand in rows 128 units apart.
        prop->x = static_cast<float>((a / 128) * 128);
        prop->y = 0.0f;
        prop->z = static_cast<float>(b);
        prop->kind = sceneryKindForSlot(i);
        prop->pickName = i;
        scenery[i] = std::move(prop);
    }
}

EnemyKind enemyKindForSlot(int slot) {
    if (slot < 5) return EnemyKind::Tank;
    if (slot < 8) return EnemyKind::Heavy;
    return EnemyKind::Car;
}

void populateLevel() {
    player = std::make_unique<PlayerTank>();
    placeBlocks();
    placeScenery();
    for (int i = 0; i < kEnemyCount; ++i) {
        enemies[i] = std::make_unique<EnemyUnit>(enemyKindForSlot(i), i);
    }
    for (auto& enemy : enemies) enemy->place();
    for (auto& slot : projectiles) slot.reset();
    for (auto& slot : explosions) slot.reset();
}
