#include "app/globals.h"

std::int32_t windowWidth = 0, windowHeight = 0;
std::int32_t screenState = Intro;
std::int32_t introFrames = 60;
std::int32_t loadingFrames = 1;
std::int32_t gameSwitchTicks = 120;
std::int32_t sceneryGroundFrames = 2;
float now = 0.0f;
float lastTick = 0.0f;
std::int32_t menuHover = 0;
float menuSpeed = 1.0f;
float menuEase = 15.0f;
double menuSpeedStamp = 0.0;
double lastMouseX = 400.0, lastMouseY = 300.0;
float TimeScale = 100.0f;
bool showStatus = false;
CameraStateRecord CameraState;
Vec3 AimPoint;
std::uint32_t selectBuffer[1024];
std::int32_t hitCount = 0;
GameStatsRecord GameStats;
char statusText[1024];
bool levelReady = false;

std::unique_ptr<World> world;
std::unique_ptr<PlayerTank> player;
std::unique_ptr<WorldProp> blocks[kBlockCount];
std::unique_ptr<WorldProp> scenery[kSceneryCount];
std::unique_ptr<EnemyUnit> enemies[kEnemyCount];
std::unique_ptr<EnemyUnit> retiredEnemies[kEnemyCount];
std::unique_ptr<Projectile> projectiles[kProjectileSlots];
std::unique_ptr<Explosion> explosions[kExplosionSlots];
std::unique_ptr<DebrisPiece> menuDebris[kMenuDebrisCount];

TextureLoader introPicture, menuPicture, loadingPicture, closingPicture;
TextureLoader hudCrosshairMask, hudCrosshair;
TextureLoader hudLabelHurt, hudLabelKilled, hudLabelHit, hudLabelFired;
TextureLoader digitPictures[10];
TextureLoader plasmaPicture, plasmaMask;
TextureLoader burstPictures[8], burstMasks[8];
