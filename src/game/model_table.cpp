#include "game/model_table.h"

#include <GL/gl.h>

#include "assets/asset_names.h"
#include "game/solid_cube.h"
#include "game/world_prop.h"

Model3DS worldModels[kWorldModelCount];

namespace {
// Positions in the load order of assetnames::kWorldModels.
enum ModelIndex {
    CarBody = 1,
    CarLight = 2,
    CarWheel = 3,
    CarWindow = 4,
    TripleBody = 12,
    TripleRed = 13,
    TripleWhite = 14,
    TurretBase = 15,
    TurretBaseTrim = 16,
    TurretTop = 17,
    TurretTopTrim = 18,
    TurretGun = 19,
    TurretGunTrim = 20,
    Shell = 21,
    Roof = 22,
    Walls = 23,
    Missile = 24,
    FirstPropModel = 25,  // cactus, kind 41; kinds 42..47 follow in order
};

void drawModel(int index) { worldModels[index].draw(); }

void drawTranslated(int index, float x, float y, float z) {
    glPushMatrix();
    glTranslatef(x, y, z);
    drawModel(index);
    glPopMatrix();
}
}  // namespace

void loadWorldModels() {
    for (int i = 0; i < kWorldModelCount; ++i) worldModels[i].load(assetnames::kWorldModels[i]);
    compileSolidCubes();
}

Model3DS* propKindModel(int kind) {
    if (kind < kFirstSceneryKind || kind > kLastSceneryKind) return nullptr;
    return &worldModels[FirstPropModel + (kind - kFirstSceneryKind)];
}

void drawCarEnemyModel() {
    drawModel(CarBody);
    drawModel(CarLight);
    drawModel(CarWheel);
    drawModel(CarWindow);
}

void drawTripleEnemyModel() {
    glPushMatrix();
    glScalef(0.5f, 0.5f, -0.5f);
    drawTranslated(TripleRed, -1.0f, 0.0f, 0.0f);
    drawTranslated(TripleBody, 0.0f, 3.0f, 0.0f);
    drawTranslated(TripleWhite, 1.0f, 0.0f, 0.0f);
    glPopMatrix();
}

void drawTurretEnemyModel(float turretAngle) {
    glPushMatrix();
    glScalef(1.0f, 1.0f, 1.0f);
    drawModel(TurretBase);
    drawModel(TurretBaseTrim);
    glRotatef(turretAngle, 0.0f, 1.0f, 0.0f);
    drawModel(TurretTop);
    drawModel(TurretTopTrim);
    drawModel(TurretGun);
    drawModel(TurretGunTrim);
    glPopMatrix();
}

void drawShellModel() {
    glPushMatrix();
    glScalef(2.0f, 2.0f, 2.0f);
    drawModel(Shell);
    glPopMatrix();
}

void drawBlockModel() {
    drawModel(Walls);
    drawModel(Roof);
}

void drawMissileModel() { drawModel(Missile); }
