#pragma once
// Pieces of the world that its files share but nobody else calls.
#include "world/hill_terrain.h"

// The ground and haze colour of the desert.
constexpr float kDesertRed = 0.55f, kDesertGreen = 0.42f, kDesertBlue = 0.24f;

// Linear haze from viewDistance / 2 to viewDistance; the sky's exponential
// density shrinks with the view range.
void setupFog(int viewRangePlusOne, int viewDistance);
// Compiles the sky box into `list`.
class World;
void compileSkyList(World& world, unsigned int list);
// Compiles the untextured flat quad shared by all tiles into `list`.
void compileFlatTileList(unsigned int list);
