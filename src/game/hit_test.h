#pragma once
// The one collision query over the blocks, the enemies and the player tank.
#include "game/vec_math.h"

// Who asks the hit test; decides what a touch records.
enum HitKind : int {
    PlayerShell = 1,
    PlayerMissile = 2,
    EnemyShell = 4,
    PlayerBody = 5,
    // 11, 12 and 13: an enemy hull, the value being the enemy's kind.
};

// True when a sphere of radius r at p touches a block, an enemy (other than
// slot `self`) or the player tank; records hits into the touched enemy's
// lastHit and into GameStats as the kind requires.
bool hitTest(const Vec3& p, float r, int kind, int self);
