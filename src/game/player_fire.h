#pragma once
// What the player's tank throws into the world: shells, missiles, embers.
#include "game/vec_math.h"

// A shell from the gun as aimed, into the first free shell slot; counted as fired.
void fireShell();
// A missile from the hull's heading, into the first free missile slot.
void fireMissile();
// Ten embers above the tank.
void throwEmbers();
// Fills up to count empty explosion slots, lowest first, with the given type.
void spawnExplosions(const Vec3& point, int type, int count);
