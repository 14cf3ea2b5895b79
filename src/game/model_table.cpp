#include "game/model_table.h"

#include <GL/gl.h>

#include "game/world_prop.h"

Model3DS worldModels[kWorldModelCount];

const char* const worldModelFiles[kWorldModelCount] = {
    "obj/Enemy/EJ.3DS",
    "obj/Enemy/EJ_CAR.3DS",
    "obj/Enemy/EJ_LIGHT.3DS",
    "obj/Enemy/EJ_WHEEL.3DS",
    "obj/Enemy/EJ_WIN.3DS",
    "obj/Enemy/EMM_BASE_R.3DS",
    "obj/Enemy/EMM_GUN.3DS",
    "obj/Enemy/EMM_GUN_R.3DS",
    "obj/Enemy/EMM_MB_B.3DS",
    "obj/Enemy/EMM_TOP_R.3DS",
    "obj/Enemy/EMM_TOP_W.3DS",
    "obj/Enemy/EMM_TRACK_B.3DS",
    "obj/Enemy/EMMB.3DS",
    "obj/Enemy/EMMR.3DS",
    "obj/Enemy/EMMW.3DS",
    "obj/Enemy/EM1_BASE.3DS",
    "obj/Enemy/EM1_BASEB.3DS",
    "obj/Enemy/EM1_TOP.3DS",
    "obj/Enemy/EM1_TOPB.3DS",
    "obj/Enemy/EM1_GUN.3DS",
    "obj/Enemy/EM1_GUNB.3DS",
    "obj/weapon/shell.3DS",
    "obj/ROOF.3DS",
    "obj/NOTROOF.3DS",
    "obj/weapon/MISS.3DS",
    "obj/world/cactus.3DS",
    "obj/world/F_MF.3DS",
    "obj/world/S_lum.3DS",
    "obj/world/S_bosk.3DS",
    "obj/world/S_S.3DS",
    "obj/world/S_stop.3DS",
    "obj/world/S_tavi.3DS",
};

namespace {
// Positions in the load order above.
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
    for (int i = 0; i < kWorldModelCount; ++i) worldModels[i].load(worldModelFiles[i]);
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
