#pragma once
// The level's layout: the tank, the blocks, the scenery and the enemies in
// their slots, drawn from the main thread's random sequence.
#include "game/enemy_unit.h"

void populateLevel();

// The prop layout steps of populateLevel; they draw from the main thread's
// random sequence in a fixed order, so the layout repeats on every run.
void placeBlocks();
void placeScenery();
// The model kind of scenery slot i (47, 43, 45, 46, 44 or 41).
int sceneryKindForSlot(int slot);
// The enemy kind of slot i: tanks in 0..4, heavies in 5..7, cars in 8 and 9.
EnemyKind enemyKindForSlot(int slot);

constexpr unsigned int kWorldSeed = 8888;
