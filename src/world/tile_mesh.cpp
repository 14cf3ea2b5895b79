// Display lists of the ground: the shared flat quad and the textured mesh of
// a generated tile, both in the tile's local frame (rows advance toward -z).
#include <GL/gl.h>

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

void emitSample(const CHillTerrain& terrain, int m, int n, float t) {
    const Vec3d normal = terrain.normalAt(m, n);
    glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
               static_cast<float>(normal.z));
    // s alternates along the strip so each 1 x 1 cell shows the texture once.
    glTexCoord2f(static_cast<float>(m % 2), t);
    glVertex3f(static_cast<float>(m), terrain.heightScale * terrain.heightAt(m, n),
               -static_cast<float>(n));
}

}  // namespace

unsigned int compileTileMesh(const CHillTerrain& terrain, unsigned int texture) {
    const unsigned int list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor3f(kDesertRed, kDesertGreen, kDesertBlue);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (terrain.size > 1) {
        for (int n = 1; n < terrain.size; ++n) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int m = 0; m < terrain.size; ++m) {
                emitSample(terrain, m, n, 1.0f);
                emitSample(terrain, m, n - 1, 0.0f);
            }
            glEnd();
        }
    }
    glEndList();
    return list;
}
