#pragma once
// The 3DS models of the level and the routines that compose them.
#include "assets/model_3ds.h"

constexpr int kWorldModelCount = 32;
// The models in load order; the table of file names is in model_table.cpp.
extern Model3DS worldModels[kWorldModelCount];
extern const char* const worldModelFiles[kWorldModelCount];

void loadWorldModels();
// The model drawn for a scenery prop kind 41..47; nullptr for any other kind.
Model3DS* propKindModel(int kind);

void drawCarEnemyModel();
void drawTripleEnemyModel();
void drawTurretEnemyModel(float turretAngle);
void drawShellModel();
void drawBlockModel();
void drawMissileModel();
