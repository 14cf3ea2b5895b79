#include <GL/freeglut.h>

#include <cmath>

#include "game/enemy_unit.h"
#include "game/game_state.h"
#include "game/model_table.h"
#include "game/solid_cube.h"

namespace {

constexpr double kRadiansToDegrees = 57.2957795;

void orient(const EnemyUnit& unit) {
    glRotatef(unit.hullPitch, 1.0f, 0.0f, 0.0f);
    glRotatef(unit.hullRoll, 0.0f, 0.0f, 1.0f);
    glRotatef(unit.hullHeading, 0.0f, 1.0f, 0.0f);
}

}  // namespace

// Tilt with the ground under the unit; off the world the last tilt stays.
void EnemyUnit::followSlope() {
    if (!world) return;
    float angleA = NAN, angleB = NAN;
    const float x = position.x, z = position.z;
    world->slopeAngles(x, z - 1.0f, x, z + 1.0f, x - 1.0f, z, x + 1.0f, z, angleA, angleB);
    if (std::isnan(angleA) || std::isnan(angleB)) return;
    hullPitch = angleA * kRadiansToDegrees;
    hullRoll = angleB * kRadiansToDegrees;
}

void EnemyUnit::draw() {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    orient(*this);
    switch (kind) {
        case EnemyKind::Heavy:
            drawTripleEnemyModel();
            break;
        case EnemyKind::Tank:
            drawTurretEnemyModel(0.0f);
            break;
        case EnemyKind::Car:
            drawCarEnemyModel();
            break;
        default:
            break;
    }
    glPopMatrix();
}

void EnemyUnit::drawPick() {
    // Selection names 10..19 stand for enemy slots 0..9.
    glPushMatrix();
    glPushName(static_cast<GLuint>(kFirstEnemyPickName + index));
    glTranslatef(position.x, position.y, position.z);
    orient(*this);
    drawSolidCube(4.0);
    glPopName();
    glPopMatrix();
}
