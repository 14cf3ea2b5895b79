#include "support/combat_fixture.h"

#include "platform/clock.h"

int CombatState::clockMs = 1000;

namespace {
int stoppedClock() { return CombatState::clockMs; }
}  // namespace

void clearGameState() {
    world.reset();
    player.reset();
    for (auto& slot : blocks) slot.reset();
    for (auto& slot : scenery) slot.reset();
    for (auto& slot : enemies) slot.reset();
    for (auto& slot : retiredEnemies) slot.reset();
    for (auto& slot : projectiles) slot.reset();
    for (auto& slot : explosions) slot.reset();
    GameStats = GameStatsRecord{};
    TimeScale = 100.0f;
    AimPoint = Vec3{};
    CameraState = CameraStateRecord{};
    now = 0.0f;
}

CombatState::CombatState() {
    clearGameState();
    clockMs = 1000;
    setClockSource(stoppedClock);
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
}

CombatState::~CombatState() {
    clearGameState();
    setClockSource(nullptr);
}

EnemyUnit& CombatState::addEnemy(int slot, int kind, Vec3 position) {
    enemies[slot] = std::make_unique<EnemyUnit>(kind, slot);
    enemies[slot]->position = position;
    return *enemies[slot];
}

WorldProp& CombatState::addBlock(int slot, Vec3 base, int sizeX, int sizeZ, int sizeY) {
    blocks[slot] = std::make_unique<WorldProp>();
    WorldProp& block = *blocks[slot];
    block.x = base.x;
    block.y = base.y;
    block.z = base.z;
    block.sizeX = sizeX;
    block.sizeZ = sizeZ;
    block.sizeY = sizeY;
    block.kind = 40;
    return block;
}
