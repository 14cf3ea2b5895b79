// Display list of the flat quad shared by all tiles, and the mesh of a
// generated tile: its vertex data, made on the builder thread, and its buffer
// object, made and drawn on the main thread.
#define GL_GLEXT_PROTOTYPES 1
#include "world/tile_mesh.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "world/world.h"
#include "world/world_internal.h"

void compileFlatTileList(unsigned int list) {
    glNewList(list, GL_COMPILE);
    glDisable(GL_TEXTURE_2D);
    glColor3f(kDesertRed, kDesertGreen, kDesertBlue);
    glBegin(GL_TRIANGLE_STRIP);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(127.0f, 0.0f, 0.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, -127.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(127.0f, 0.0f, -127.0f);
    glEnd();
    glEndList();
}

namespace {

constexpr int kFloatsPerVertex = 8;

void putSample(const CHillTerrain& terrain, const TileMeshData& mesh, int m, int n, float t,
               float* out) {
    const Vec3d normal = terrain.normalAt(m, n);
    out[0] = static_cast<float>(normal.x);
    out[1] = static_cast<float>(normal.y);
    out[2] = static_cast<float>(normal.z);
    // s alternates along the strip so each 1 x 1 cell shows the texture once.
    out[3] = static_cast<float>(m % 2);
    out[4] = t;
    out[5] = static_cast<float>(m);
    out[6] = mesh.heights[n * kTileSamples + m];
    out[7] = -static_cast<float>(n);
}

}  // namespace

void buildTileMeshData(const CHillTerrain& terrain, TileMeshData& mesh) {
    const int size = kTileSamples;
    mesh.heights.resize(size * size);
    for (int n = 0; n < size; ++n) {
        for (int m = 0; m < size; ++m) {
            mesh.heights[n * size + m] = terrain.heightScale * terrain.heightAt(m, n);
        }
    }
    for (int by = 0; by < kBlocksPerSide; ++by) {
        for (int bx = 0; bx < kBlocksPerSide; ++bx) {
            float low = mesh.heights[kBlockLines[by] * size + kBlockLines[bx]], high = low;
            for (int n = kBlockLines[by]; n <= kBlockLines[by + 1]; ++n) {
                for (int m = kBlockLines[bx]; m <= kBlockLines[bx + 1]; ++m) {
                    low = std::min(low, mesh.heights[n * size + m]);
                    high = std::max(high, mesh.heights[n * size + m]);
                }
            }
            mesh.blockLow[by * kBlocksPerSide + bx] = low;
            mesh.blockHigh[by * kBlocksPerSide + bx] = high;
        }
    }
    mesh.vertices.resize(static_cast<size_t>(size - 1) * kStripVertices * kFloatsPerVertex);
    float* out = mesh.vertices.data();
    for (int n = 1; n < size; ++n) {
        for (int m = 0; m < size; ++m) {
            putSample(terrain, mesh, m, n, 1.0f, out);
            putSample(terrain, mesh, m, n - 1, 0.0f, out + kFloatsPerVertex);
            out += 2 * kFloatsPerVertex;
        }
    }
}

unsigned int uploadTileMesh(const std::vector<float>& vertices) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
                 vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffer;
}

void deleteTileMesh(unsigned int buffer) {
    const GLuint name = buffer;
    glDeleteBuffers(1, &name);
}

void drawTileMesh(unsigned int buffer, std::uint64_t visibleBlocks) {
    if (visibleBlocks == 0) return;
    // One run per strip and stretch of neighbouring visible blocks, in the
    // order the strips were laid out.
    GLint firsts[(kTileSamples - 1) * kBlocksPerSide];
    GLsizei counts[(kTileSamples - 1) * kBlocksPerSide];
    GLsizei runs = 0;
    for (int by = 0; by < kBlocksPerSide; ++by) {
        const unsigned rowMask =
            static_cast<unsigned>(visibleBlocks >> (by * kBlocksPerSide)) & 0xFFu;
        if (rowMask == 0) continue;
        for (int n = kBlockLines[by] + 1; n <= kBlockLines[by + 1]; ++n) {
            int bx = 0;
            while (bx < kBlocksPerSide) {
                if (!(rowMask & (1u << bx))) {
                    ++bx;
                    continue;
                }
                const int start = bx;
                while (bx < kBlocksPerSide && (rowMask & (1u << bx))) ++bx;
                const int m0 = kBlockLines[start], m1 = kBlockLines[bx];
                firsts[runs] = (n - 1) * kStripVertices + 2 * m0;
                counts[runs] = 2 * (m1 - m0 + 1);
                ++runs;
            }
        }
    }
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(0));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(5 * sizeof(float)));
    glMultiDrawArrays(GL_TRIANGLE_STRIP, firsts, counts, runs);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}
