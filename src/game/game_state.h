#pragma once
// Program-wide simulation state: the world, the tank, the slot tables of
// everything that moves, the counters and the shared inputs of a tick.
// Slot tables own their objects; an empty slot holds nothing.
#include <cstdint>
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

// Everything a fight is: the ground's heights (the world's tiles), the tank,
// the slot tables, the counters, the speed, the aim point, the clock, the
// tick number and the random sequence. One fight runs at a time; the names
// below are its fields as the rest of the game reads them.
struct Match {
    std::unique_ptr<World> world;
    std::unique_ptr<PlayerTank> player;
    std::unique_ptr<WorldProp> blocks[kBlockCount];
    std::unique_ptr<WorldProp> scenery[kSceneryCount];
    std::unique_ptr<EnemyUnit> enemies[kEnemyCount];
    // A destroyed enemy moves itself here when it puts its successor into its
    // slot, so it stays alive until its own tick ends; the game tick empties
    // this table after the enemy loop.
    std::unique_ptr<EnemyUnit> retiredEnemies[kEnemyCount];
    std::unique_ptr<Projectile> projectiles[kProjectileSlots];
    std::unique_ptr<Explosion> explosions[kExplosionSlots];
    float TimeScale = kNormalTimeScale;
    CameraStateRecord CameraState;
    Vec3 AimPoint;
    GameStatsRecord GameStats;
    float now = 0.0f;  // the game clock in milliseconds, read once per tick
    // Frames until the scenery is set on the ground (on the third); -50 after.
    std::int32_t sceneryGroundFrames = 2;
    // The drive and turn last handed to the tank: it only hears of changes.
    float givenDrive = 0.0f, givenTurn = 0.0f;
    std::uint32_t tick = 0;         // ticks run so far
    std::uint32_t randomState = 1;  // the main thread's sequence after the last tick
};

extern Match theMatch;

inline float& now = theMatch.now;
inline float& TimeScale = theMatch.TimeScale;
inline CameraStateRecord& CameraState = theMatch.CameraState;
inline Vec3& AimPoint = theMatch.AimPoint;
inline GameStatsRecord& GameStats = theMatch.GameStats;
inline std::int32_t& sceneryGroundFrames = theMatch.sceneryGroundFrames;

inline std::unique_ptr<World>& world = theMatch.world;
inline std::unique_ptr<PlayerTank>& player = theMatch.player;
inline std::unique_ptr<WorldProp> (&blocks)[kBlockCount] = theMatch.blocks;
inline std::unique_ptr<WorldProp> (&scenery)[kSceneryCount] = theMatch.scenery;
inline std::unique_ptr<EnemyUnit> (&enemies)[kEnemyCount] = theMatch.enemies;
inline std::unique_ptr<EnemyUnit> (&retiredEnemies)[kEnemyCount] = theMatch.retiredEnemies;
inline std::unique_ptr<Projectile> (&projectiles)[kProjectileSlots] = theMatch.projectiles;
inline std::unique_ptr<Explosion> (&explosions)[kExplosionSlots] = theMatch.explosions;

// Puts the match back to its start: no world, no tank, empty tables, zero
// counters, normal speed, clock at 0, tick 0. The program starts from these
// values too, so tests that call this start from a fresh program.
void resetGameState();
