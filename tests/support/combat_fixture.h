#pragma once
// A clean game state for simulation tests without a window: no world (flat
// ground at height 0), a fresh tank at its start place, empty tables, zero
// counters, normal speed and a stopped clock.
#include "game/game_state.h"

struct CombatState {
    CombatState();
    ~CombatState();
    // Puts a unit of the kind into the slot and returns it.
    EnemyUnit& addEnemy(int slot, EnemyKind kind, Vec3 position);
    // Puts a block of the given size (centred on x and z, standing on y) into a slot.
    WorldProp& addBlock(int slot, Vec3 base, int sizeX, int sizeZ, int sizeY);
    // The stopped clock's reading, in milliseconds.
    static int clockMs;

    // The scripted fight's start: the random sequence seeded as at level
    // start, the ten units made and placed, the tank moved in among them.
    void placeFightersForScript();
    // The scripted fight's inputs for one tick: the clock moves on 22 ms and
    // the tank drives, reverses and turns as the script says.
    void scriptTick(int tick);
    // The scripted fight's shots for one tick, fired before the tick runs: a
    // shell at the nearest unit every 8th tick, a missile on tick 120, and
    // slow motion from tick 300.
    void scriptShots(int tick);
};

// The slot of the unit nearest the tank (the first of equals).
int nearestEnemy();
