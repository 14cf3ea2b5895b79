#pragma once
// The plain, straightforward drawing of the ground, kept beside the game's
// faster one so that tests and benchmarks can compare the two: the sky box
// list first, then every tile's own display list (the flat quad, or the
// textured mesh compiled as 127 strips of 256 vertices, row by row), each
// tile at its translation. Header-only so that benchmarks can use it.
#include <GL/gl.h>

#include <map>

#include "world/world.h"

class ReferenceGround {
public:
    explicit ReferenceGround(World& world) : world_(world) {}
    ~ReferenceGround() {
        for (const auto& entry : lists_) glDeleteLists(entry.second, 1);
    }
    ReferenceGround(const ReferenceGround&) = delete;
    ReferenceGround& operator=(const ReferenceGround&) = delete;

    // The whole of a plain World::draw: tile life cycle, sky, tiles.
    void draw(int eyeX, int eyeZ) {
        world_.updateTiles(eyeX, eyeZ);
        drawGround();
    }

    // Sky and tiles only, for the tile states the last update left.
    void drawGround() {
        glCallList(world_.listBase);
        glPushMatrix();
        glTranslatef(-1270.0f, 0.0f, 1270.0f);
        for (int i = 0; i < kWorldTiles; ++i) {
            for (int j = 0; j < kWorldTiles; ++j) {
                const Tile& tile = *world_.tiles[i * kWorldTiles + j];
                glCallList(tile.ready ? meshList(tile) : tile.flatList);
                glTranslatef(0.0f, 0.0f, -127.0f);
            }
            glTranslatef(127.0f, 0.0f, 2540.0f);
        }
        glPopMatrix();
    }

private:
    // A tile always gets the same relief (its seed never changes), so its
    // list is compiled once, the first time the tile is seen ready.
    unsigned int meshList(const Tile& tile) {
        auto found = lists_.find(&tile);
        if (found != lists_.end()) return found->second;
        const unsigned int list = compile(*tile.terrain, tile.texture);
        lists_[&tile] = list;
        return list;
    }

    static void emitSample(const CHillTerrain& terrain, int m, int n, float t) {
        const Vec3d normal = terrain.normalAt(m, n);
        glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
                   static_cast<float>(normal.z));
        glTexCoord2f(static_cast<float>(m % 2), t);
        glVertex3f(static_cast<float>(m), terrain.heightScale * terrain.heightAt(m, n),
                   -static_cast<float>(n));
    }

public:
    // The plain mesh list of one generated field.
    static unsigned int compile(const CHillTerrain& terrain, unsigned int texture) {
        const unsigned int list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glColor3f(0.55f, 0.42f, 0.24f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (int n = 1; n < terrain.size; ++n) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int m = 0; m < terrain.size; ++m) {
                emitSample(terrain, m, n, 1.0f);
                emitSample(terrain, m, n - 1, 0.0f);
            }
            glEnd();
        }
        glEndList();
        return list;
    }

private:
    World& world_;
    std::map<const Tile*, unsigned int> lists_;
};
