#pragma once
// The 3DS models of the level and the routines that compose them.
#include "assets/asset_names.h"
#include "assets/model_3ds.h"

using assetnames::kWorldModelCount;
// The models in the load order of assetnames::kWorldModels.
extern Model3DS worldModels[kWorldModelCount];

void loadWorldModels();
// The model drawn for a scenery prop kind 41..47; nullptr for any other kind.
Model3DS* propKindModel(int kind);

void drawCarEnemyModel();
void drawTripleEnemyModel();
void drawTurretEnemyModel(float turretAngle);
void drawShellModel();
void drawBlockModel();
void drawMissileModel();
