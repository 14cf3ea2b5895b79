#pragma once
// Pieces of the world that its files share but nobody else calls.
#include <GL/gl.h>

#include "world/hill_terrain.h"
#include "world/world.h"

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

// Walks the chain of float translations the tiles are drawn with: calls
// visit(index) with the modelview matrix at tile index's origin, tile (I, J)
// at index I * 20 + J, in drawing order. Leaves the matrix as it found it.
template <class Visit>
void forEachTileInChain(Visit visit) {
    glPushMatrix();
    glTranslatef(-1270.0f, 0.0f, 1270.0f);
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            visit(i * kWorldTiles + j);
            glTranslatef(0.0f, 0.0f, -127.0f);
        }
        glTranslatef(127.0f, 0.0f, 2540.0f);
    }
    glPopMatrix();
}
