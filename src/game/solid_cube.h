#pragma once
// The plain cubes of the pick pass and of the embers, compiled once.

// A list for each cube size the game draws; only the first call compiles.
// Must not be called while another list is being compiled.
void compileSolidCubes();
// glutSolidCube(size) from its list; a size without a list, or any size
// while models are drawn immediately, is sent vertex by vertex.
void drawSolidCube(double size);
