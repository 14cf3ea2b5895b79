// The sandy haze and the textured sky box around the world.
#include <GL/gl.h>
#include <GL/glext.h>

#include "world/world.h"
#include "world/world_internal.h"

void setupFog(int viewRangePlusOne, int viewDistance) {
    const GLfloat haze[4] = {kDesertRed, kDesertGreen, kDesertBlue, 1.0f};
    glClearColor(kDesertRed, kDesertGreen, kDesertBlue, 1.0f);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, haze);
    glFogf(GL_FOG_DENSITY, 0.0005f / static_cast<float>(viewRangePlusOne));
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, static_cast<float>(viewDistance / 2));
    glFogf(GL_FOG_END, static_cast<float>(viewDistance));
    glEnable(GL_FOG);
}

void compileSkyList(World& world, unsigned int list) {
    glNewList(list, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glRotatef(45.0f, 0.0f, 1.0f, 0.0f);
    world.drawSkyBox(0.0f, 0.0f, 0.0f, 5000.0f, 5000.0f, 5000.0f);
    glPopMatrix();
    glEndList();
}

namespace {

void clampFaceToEdge() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Binds the next face's texture and begins its quad.
void beginFace(const TextureLoader& face) {
    glBindTexture(GL_TEXTURE_2D, face.textureName());
    clampFaceToEdge();
    glBegin(GL_QUADS);
}

void corner(float s, float t, float x, float y, float z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}

}  // namespace

void World::drawSkyBox(float x, float y, float z, float width, float height, float length) {
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
    glFogi(GL_FOG_MODE, GL_EXP);  // the sky fades exponentially, the ground linearly

    const float x0 = x - width / 2, y0 = y - height / 2, z0 = z - length / 2;
    const float x1 = x0 + width, y1 = y0 + height, z1 = z0 + length;

    // Only the back face sets its filters; the others keep the loader's.
    glBindTexture(GL_TEXTURE_2D, skyBack.textureName());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    clampFaceToEdge();
    glBegin(GL_QUADS);
    corner(1, 0, x1, y0, z0);
    corner(1, 1, x1, y1, z0);
    corner(0, 1, x0, y1, z0);
    corner(0, 0, x0, y0, z0);
    glEnd();

    beginFace(skyFront);
    corner(1, 0, x0, y0, z1);
    corner(1, 1, x0, y1, z1);
    corner(0, 1, x1, y1, z1);
    corner(0, 0, x1, y0, z1);
    glEnd();

    beginFace(skyTop);
    corner(0, 1, x1, y1, z0);
    corner(0, 0, x1, y1, z1);
    corner(1, 0, x0, y1, z1);
    corner(1, 1, x0, y1, z0);
    glEnd();

    beginFace(skyLeft);
    corner(1, 1, x0, y1, z0);
    corner(0, 1, x0, y1, z1);
    corner(0, 0, x0, y0, z1);
    corner(1, 0, x0, y0, z0);
    glEnd();

    beginFace(skyRight);
    corner(0, 0, x1, y0, z0);
    corner(1, 0, x1, y0, z1);
    corner(1, 1, x1, y1, z1);
    corner(0, 1, x1, y1, z0);
    glEnd();

    glEnable(GL_LIGHTING);
    glFogi(GL_FOG_MODE, GL_LINEAR);
}
