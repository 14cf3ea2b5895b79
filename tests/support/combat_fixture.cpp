#include "support/combat_fixture.h"

#include "game/hit_kind.h"
#include "game/vec_math.h"
#include "platform/clock.h"
#include "platform/random.h"

int CombatState::clockMs = 1000;

namespace {
int stoppedClock() { return CombatState::clockMs; }
}  // namespace

CombatState::CombatState() {
    resetGameState();
    clockMs = 1000;
    setClockSource(stoppedClock);
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
}

CombatState::~CombatState() {
    resetGameState();
    setClockSource(nullptr);
}

EnemyUnit& CombatState::addEnemy(int slot, EnemyKind kind, Vec3 position) {
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
    block.kind = kBlockKind;
    return block;
}

void CombatState::placeFightersForScript() {
    rng::srand(8888);
    for (int slot = 0; slot < kEnemyCount; ++slot)
        enemies[slot] = std::make_unique<EnemyUnit>(slot < 5   ? EnemyKind::Tank
                                                    : slot < 8 ? EnemyKind::Heavy
                                                               : EnemyKind::Car,
                                                    slot);
    for (auto& unit : enemies) unit->place();
    player->position = Vec3{60.0f, 0.0f, 60.0f};
    player->hullHeading = 225.0f;
}

void CombatState::scriptTick(int tick) {
    clockMs += 22;
    now = static_cast<float>(clockMs);
    player->driveInput = tick < 150 ? 1 : (tick < 200 ? 2 : 0);
    player->turnInput = (tick >= 60 && tick < 75) ? 180 : 0;
}

namespace {
// The player's shell at the tank raised by 1, aimed straight at a unit.
void fireShellAt(const EnemyUnit& target) {
    Vec3 muzzle = player->position;
    muzzle.y += 1.0f;
    const Aim aim = directionToAim(vecSub(target.position, muzzle));
    for (int slot = kPlayerShellFirst; slot <= kPlayerShellLast; ++slot) {
        if (projectiles[slot]) continue;
        projectiles[slot] =
            std::make_unique<Projectile>(aim.yaw, aim.pitch, muzzle, HitKind::PlayerShell, 5);
        GameStats.fired += 1;
        return;
    }
}
}  // namespace

void CombatState::scriptShots(int tick) {
    const EnemyUnit& target = *enemies[nearestEnemy()];
    if (tick % 8 == 0) fireShellAt(target);
    if (tick == 120) {
        AimPoint = target.position;
        projectiles[kPlayerMissileFirst] = std::make_unique<Projectile>(
            player->hullHeading, 320.0f, player->position, HitKind::PlayerMissile, 600);
    }
    if (tick == 300) TimeScale = 30.0f;
}

int nearestEnemy() {
    int best = 0;
    for (int i = 1; i < kEnemyCount; ++i) {
        if (vecLength(vecSub(enemies[i]->position, player->position)) <
            vecLength(vecSub(enemies[best]->position, player->position)))
            best = i;
    }
    return best;
}
