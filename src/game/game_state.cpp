#include "game/game_state.h"

#include "game/key_bindings.h"
#include "game/player_actions.h"

float now;
float TimeScale;
CameraStateRecord CameraState;
Vec3 AimPoint;
GameStatsRecord GameStats;

std::unique_ptr<World> world;
std::unique_ptr<PlayerTank> player;
std::unique_ptr<WorldProp> blocks[kBlockCount];
std::unique_ptr<WorldProp> scenery[kSceneryCount];
std::unique_ptr<EnemyUnit> enemies[kEnemyCount];
std::unique_ptr<EnemyUnit> retiredEnemies[kEnemyCount];
std::unique_ptr<Projectile> projectiles[kProjectileSlots];
std::unique_ptr<Explosion> explosions[kExplosionSlots];

void resetGameState() {
    now = 0.0f;
    TimeScale = kNormalTimeScale;
    CameraState = CameraStateRecord{};
    AimPoint = Vec3{};
    GameStats = GameStatsRecord{};
    world.reset();
    player.reset();
    for (auto& slot : blocks) slot.reset();
    for (auto& slot : scenery) slot.reset();
    for (auto& slot : enemies) slot.reset();
    for (auto& slot : retiredEnemies) slot.reset();
    for (auto& slot : projectiles) slot.reset();
    for (auto& slot : explosions) slot.reset();
    resetPlayerActions();
    keyBindings = defaultKeyBindings();
}

namespace {
// Runs after the definitions above (same file, so in order): the program
// starts from the values resetGameState gives.
const bool gameStateStarted = (resetGameState(), true);
}  // namespace
