#pragma once
// The textured mesh of a generated tile, kept in a buffer object so that the
// drawing can skip the parts of it that are certainly hidden. The vertex data
// is laid out exactly as the strips of a tile's plain display list (row n
// from 1 to 127, two vertices per column), so that any run of whole columns
// of a strip is drawn with the very same triangles.
#include <cstdint>
#include <vector>

#include "world/hill_terrain.h"

constexpr int kTileSamples = 128;
constexpr int kStripVertices = 2 * kTileSamples;
// The mesh is cut into 8 x 8 blocks of 16 x 16 cells (the last row and column
// of blocks have 15); block edges lie on these sample lines.
constexpr int kBlocksPerSide = 8;
constexpr int kBlockLines[kBlocksPerSide + 1] = {0, 16, 32, 48, 64, 80, 96, 112, 127};
constexpr int kQuarterLines[2 * kBlocksPerSide + 1] = {0,  8,  16, 24, 32,  40,  48,  56, 64,
                                                       72, 80, 88, 96, 104, 112, 120, 127};

// Everything the main thread needs to upload and cull a tile's mesh. Made on
// the builder thread, next to the height field it comes from.
struct TileMeshData {
    std::vector<float> vertices;  // per vertex: normal xyz, texture st, position xyz
    std::vector<float> heights;   // world height of each sample, (m, n) at n * 128 + m
    float blockLow[kBlocksPerSide * kBlocksPerSide] = {};
    float blockHigh[kBlocksPerSide * kBlocksPerSide] = {};
    // The same for each quarter of a block (8 x 8 cells, the last 7), at
    // (2 * by + qy) * 16 + 2 * bx + qx.
    float quarterLow[4 * kBlocksPerSide * kBlocksPerSide] = {};
    float quarterHigh[4 * kBlocksPerSide * kBlocksPerSide] = {};
};

// Fills `mesh` from a generated 128 x 128 field.
void buildTileMeshData(const CHillTerrain& terrain, TileMeshData& mesh);

// Creates a buffer object holding the vertices; returns its name.
unsigned int uploadTileMesh(const std::vector<float>& vertices);
void deleteTileMesh(unsigned int buffer);

// Which quarter blocks of a tile to draw: bit qy * 16 + qx (qx along the
// columns m, qy along the rows n) of the 256.
struct QuarterMask {
    std::uint64_t words[4] = {};
    bool any() const { return (words[0] | words[1] | words[2] | words[3]) != 0; }
    bool has(int q) const { return (words[q >> 6] >> (q & 63)) & 1u; }
    void set(int q) { words[q >> 6] |= std::uint64_t{1} << (q & 63); }
    void clear(int q) { words[q >> 6] &= ~(std::uint64_t{1} << (q & 63)); }
    int count() const;
};
constexpr int kQuartersPerSide = 2 * kBlocksPerSide;

// Draws the quarter blocks set in `visible`, strip by strip in the plain
// drawing's order. The mesh's texture and colour state must be set already.
void drawTileMesh(unsigned int buffer, const QuarterMask& visible);
