// Temporary stand-ins for routines other parts of the game are still
// building, so the game and the shell's tests link meanwhile. Every one is
// weak and this file is linked after the core library: a real definition
// always wins. Each goes as soon as its real routine is on main.
#include <cmath>

#include "app/hud.h"
#include "assets/model_3ds.h"
#include "assets/texture_loader.h"
#include "game/debris_piece.h"
#include "game/enemy_unit.h"
#include "game/explosion.h"
#include "game/player_tank.h"
#include "game/projectile.h"
#include "game/vec_math.h"
#include "platform/thread.h"
#include "world/world.h"

#define PENDING __attribute__((weak))

PENDING DebrisPiece::DebrisPiece() {}
PENDING void DebrisPiece::draw() {}
PENDING void DebrisPiece::reset() {}
PENDING void EnemyUnit::draw() {}
PENDING void EnemyUnit::drawPick() {}
PENDING void EnemyUnit::place() {}
PENDING void EnemyUnit::tick() {}
PENDING void Explosion::draw() {}
PENDING void Explosion::step() { life -= 1.0f; }
PENDING void Projectile::draw() {}
PENDING void Projectile::step() {}
PENDING PlayerTank::PlayerTank() {}
PENDING void PlayerTank::draw(bool) {}
PENDING void PlayerTank::update() {}

PENDING Model3DS::~Model3DS() {}
PENDING void Model3DS::load(const char*) {}
PENDING void Model3DS::draw() const {}
PENDING void TextureLoader::load(const char*) {}
PENDING void TextureLoader::bind() const {}

struct BuilderThread::State {};
PENDING BuilderThread::BuilderThread() {}
PENDING BuilderThread::~BuilderThread() {}

PENDING World::World(std::uint16_t, unsigned int) {}
PENDING World::~World() {}
PENDING void World::draw(int, int) {}
PENDING double World::heightAt(float, float) const { return 0.0; }

PENDING void drawHud() {}
PENDING void formatStatusReport() {}
PENDING void drawStatusText(int, int) {}

PENDING void foldAim(float&, float&) {}
PENDING Aim aimInFrame(float, float, float, const Aim& aim) { return aim; }
PENDING Vec3 aimToDirection(float yaw, float pitch) {
    const double r = 3.14159265358979323846 / 180.0;
    return {static_cast<float>(std::sin(yaw * r)), static_cast<float>(-std::tan(pitch * r)),
            static_cast<float>(std::cos(yaw * r))};
}
PENDING Vec3 vecAdd(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
PENDING Vec3 vecScale(float s, const Vec3& v) { return {s * v.x, s * v.y, s * v.z}; }
PENDING Vec3 vecNormalize(const Vec3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}
