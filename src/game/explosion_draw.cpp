#include <GL/freeglut.h>

#include "assets/picture_quad.h"
#include "game/effect_pictures.h"
#include "game/explosion.h"
#include "game/game_state.h"
#include "game/solid_cube.h"

namespace {

// A 20 x 20 camera-facing sprite: the frame's mask darkens the background,
// its tinted colour picture is added on top.
void drawBurst(const Explosion& burst) {
    const int frame = burst.frame() - 1;
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_BLEND);
    burstMasks[frame].bind();
    drawScreenQuad(-10, -10, 10, 10);
    glBlendFunc(GL_ONE, GL_ONE);
    if (burst.type == ExplosionType::GreenBurst)
        glColor3f(0.0f, 1.0f, 0.0f);
    else if (burst.type == ExplosionType::OrangeBurst)
        glColor3f(1.0f, 0.6f, 0.0f);
    else
        glColor3f(1.0f, 1.0f, 1.0f);
    burstPictures[frame].bind();
    drawSpriteQuad(-10, -10, 10, 10);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace

void Explosion::draw() {
    const Aim facing = directionToAim(vecSub(CameraState.eye, position));
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(facing.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(facing.pitch, 1.0f, 0.0f, 0.0f);
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (type >= ExplosionType::WhiteBurst && type <= ExplosionType::OrangeBurst) {
        drawBurst(*this);
    } else if (type == ExplosionType::Ember) {
        // A plain white cube: no texture on it, lighting stays off.
        glDisable(GL_TEXTURE_2D);
        drawSolidCube(0.3);
    }
    glPopMatrix();
}
