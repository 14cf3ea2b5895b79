#pragma once
// Program-wide game state shared by the shell, the simulation and the world.
// Slot tables own their objects; an empty slot holds nothing.
#include <cstdint>
#include <memory>

#include "app/game_stats.h"
#include "app/world_prop.h"
#include "assets/texture_loader.h"
#include "game/debris_piece.h"
#include "game/enemy_unit.h"
#include "game/explosion.h"
#include "game/player_tank.h"
#include "game/projectile.h"
#include "game/vec_math.h"
#include "world/world.h"

enum ScreenState : std::int32_t { Intro = 0, Menu = 1, Loading = 2 };

struct CameraStateRecord {
    Vec3 eye;
    Vec3 target;
};

constexpr int kBlockCount = 10;
constexpr int kSceneryCount = 50;
constexpr int kEnemyCount = 10;
constexpr int kProjectileSlots = 65;
constexpr int kExplosionSlots = 100;
constexpr int kMenuDebrisCount = 80;

// Projectile slot ranges.
constexpr int kPlayerShellFirst = 0, kPlayerShellLast = 29;
constexpr int kPlayerMissileFirst = 30, kPlayerMissileLast = 32;
constexpr int kEnemyShellFirst = 40, kEnemyShellLast = 64;

extern std::int32_t windowWidth, windowHeight;
extern std::int32_t screenState;
extern std::int32_t introFrames;
extern std::int32_t loadingFrames;
extern std::int32_t gameSwitchTicks;
extern std::int32_t sceneryGroundFrames;
extern float now;
extern float lastTick;
extern std::int32_t menuHover;
extern float menuSpeed;
extern float menuEase;
extern double menuSpeedStamp;
extern double lastMouseX, lastMouseY;
extern float TimeScale;
extern bool showStatus;
extern CameraStateRecord CameraState;
extern Vec3 AimPoint;
extern std::uint32_t selectBuffer[1024];
extern std::int32_t hitCount;
extern GameStatsRecord GameStats;
extern char statusText[1024];
extern bool levelReady;  // set once the level set-up has run

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
extern std::unique_ptr<DebrisPiece> menuDebris[kMenuDebrisCount];

// Screen pictures: intro, menu, loading ("mask.bmp") and closing.
extern TextureLoader introPicture, menuPicture, loadingPicture, closingPicture;
// HUD pictures.
extern TextureLoader hudCrosshairMask, hudCrosshair;
extern TextureLoader hudLabelHurt, hudLabelKilled, hudLabelHit, hudLabelFired;
extern TextureLoader digitPictures[10];  // digitPictures[d] shows d
// Effect sprites.
extern TextureLoader plasmaPicture, plasmaMask;
extern TextureLoader burstPictures[8], burstMasks[8];  // frame 1 at index 0
