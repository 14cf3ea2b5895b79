// Temporary stand-ins for routines other parts of the game are still
// building, so the game and the shell's tests link meanwhile. Every one is
// weak and this file is linked after the core library: a real definition
// always wins. Each goes as soon as its real routine is on main.
#include "app/hud.h"
#include "assets/model_3ds.h"
#include "assets/obj_model.h"
#include "assets/texture_loader.h"
#include "game/debris_piece.h"
#include "game/enemy_unit.h"
#include "game/explosion.h"
#include "game/player_tank.h"
#include "game/projectile.h"

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
PENDING bool ObjModel::load(const char*) { return false; }
PENDING void ObjModel::draw() const {}
PENDING void TextureLoader::load(const char*) {}
PENDING void TextureLoader::bind() const {}

PENDING void drawHud() {}
PENDING void formatStatusReport() {}
PENDING void drawStatusText(int, int) {}

