#pragma once
// Builds the level once, from the second loading frame.
#include "game/enemy_unit.h"

void setupLevel();
void populateLevel();
void loadHudTextures();
void loadEffectTextures();
void loadDigitTextures();

// The prop layout steps of populateLevel; they draw from the main thread's
// random sequence in a fixed order, so the layout repeats on every run.
void placeBlocks();
void placeScenery();
// The model kind of scenery slot i (47, 43, 45, 46, 44 or 41).
int sceneryKindForSlot(int slot);
// The enemy kind of slot i: tanks in 0..4, heavies in 5..7, cars in 8 and 9.
EnemyKind enemyKindForSlot(int slot);

constexpr unsigned int kWorldSeed = 8888;
