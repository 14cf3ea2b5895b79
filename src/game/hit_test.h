#pragma once
// The one collision query over the blocks, the enemies and the player tank.
#include "game/enemy_unit.h"
#include "game/hit_kind.h"
#include "game/vec_math.h"

// True when a sphere of radius r at p touches a block, an enemy (other than
// slot `self`) or the player tank; records hits into the touched enemy's
// lastHit and into GameStats as the kind requires.
bool hitTest(const Vec3& p, float r, int kind, int self);
// An enemy's hull asks with the value of its kind.
inline bool hitTest(const Vec3& p, float r, EnemyKind kind, int self) {
    return hitTest(p, r, static_cast<int>(kind), self);
}
