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
    const int quarters = 2 * kBlocksPerSide;
    for (int qy = 0; qy < quarters; ++qy) {
        for (int qx = 0; qx < quarters; ++qx) {
            float low = mesh.heights[kQuarterLines[qy] * size + kQuarterLines[qx]], high = low;
            for (int n = kQuarterLines[qy]; n <= kQuarterLines[qy + 1]; ++n) {
                for (int m = kQuarterLines[qx]; m <= kQuarterLines[qx + 1]; ++m) {
                    low = std::min(low, mesh.heights[n * size + m]);
                    high = std::max(high, mesh.heights[n * size + m]);
                }
            }
            mesh.quarterLow[qy * quarters + qx] = low;
            mesh.quarterHigh[qy * quarters + qx] = high;
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

int QuarterMask::count() const {
    return __builtin_popcountll(words[0]) + __builtin_popcountll(words[1]) +
           __builtin_popcountll(words[2]) + __builtin_popcountll(words[3]);
}

void drawTileMesh(unsigned int buffer, const QuarterMask& visible) {
    if (!visible.any()) return;
    // One run per strip and stretch of neighbouring visible quarters, in the
    // order the strips were laid out.
    GLint firsts[(kTileSamples - 1) * kQuartersPerSide];
    GLsizei counts[(kTileSamples - 1) * kQuartersPerSide];
    GLsizei runs = 0;
    for (int qy = 0; qy < kQuartersPerSide; ++qy) {
        const unsigned rowMask =
            static_cast<unsigned>(visible.words[qy >> 2] >> ((qy & 3) * kQuartersPerSide)) &
            0xFFFFu;
        if (rowMask == 0) continue;
        for (int n = kQuarterLines[qy] + 1; n <= kQuarterLines[qy + 1]; ++n) {
            int qx = 0;
            while (qx < kQuartersPerSide) {
                if (!(rowMask & (1u << qx))) {
                    ++qx;
                    continue;
                }
                const int start = qx;
                while (qx < kQuartersPerSide && (rowMask & (1u << qx))) ++qx;
                const int m0 = kQuarterLines[start], m1 = kQuarterLines[qx];
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
