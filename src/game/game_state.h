#pragma once
// Program-wide simulation state: the world, the tank, the slot tables of
// everything that moves, the counters and the shared inputs of a tick.
// Slot tables own their objects; an empty slot holds nothing.
#include <memory>

#include "game/enemy_unit.h"
#include "game/explosion.h"
#include "game/game_stats.h"
#include "game/player_tank.h"
#include "game/projectile.h"
#include "game/vec_math.h"
#include "game/world_prop.h"
#include "world/world.h"

struct CameraStateRecord {
    Vec3 eye;
    Vec3 target;
};

constexpr int kBlockCount = 10;
constexpr int kSceneryCount = 50;
constexpr int kEnemyCount = 10;
constexpr int kExplosionSlots = 100;

// Pick names: blocks are named by their slot, enemies by kBlockCount + slot.
constexpr int kFirstEnemyPickName = kBlockCount;

// Normal speed; slow motion divides every step by more.
constexpr float kNormalTimeScale = 100.0f;

extern float now;  // the game clock in milliseconds, read once per tick
extern float TimeScale;
extern CameraStateRecord CameraState;
extern Vec3 AimPoint;
extern GameStatsRecord GameStats;

extern std::unique_ptr<World> world;
extern std::unique_ptr<PlayerTank> player;
extern std::unique_ptr<WorldProp> blocks[kBlockCount];
extern std::unique_ptr<WorldProp> scenery[kSceneryCount];
extern std::unique_ptr<EnemyUnit> enemies[kEnemyCount];
// A destroyed enemy moves itself here when it puts its successor into its
// slot, so it stays alive until its own tick ends; the game tick empties this
// table after the enemy loop.
extern std::unique_ptr<EnemyUnit> retiredEnemies[kEnemyCount];
extern std::unique_ptr<Projectile> projectiles[kProjectileSlots];
extern std::unique_ptr<Explosion> explosions[kExplosionSlots];

// Puts every value above back to its start: no world, no tank, empty tables,
// zero counters, normal speed, clock at 0. The program starts from these
// values too, so tests that call this start from a fresh program.
void resetGameState();
