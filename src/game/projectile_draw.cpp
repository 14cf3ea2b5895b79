#include <GL/gl.h>

#include "assets/picture_quad.h"
#include "game/effect_pictures.h"
#include "game/game_state.h"
#include "game/model_table.h"
#include "game/projectile.h"

namespace {

// The plasma ball spins at now / spinDivisor degrees; a divisor of 0 (one
// shell in ten) would give an infinite angle, so that ball does not spin.
float plasmaSpin(float time, std::int32_t divisor) { return divisor == 0 ? 0.0f : time / divisor; }

// A camera-facing glowing ball: the mask darkens the background, the colour
// picture is added on top.
void drawPlasmaBall(const Projectile& shell) {
    const Aim facing = directionToAim(vecSub(CameraState.eye, shell.position));
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTranslatef(shell.position.x, shell.position.y, shell.position.z);
    glRotatef(facing.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(facing.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(plasmaSpin(now, shell.spinDivisor), 0.0f, 0.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_BLEND);
    plasmaMask.bind();
    drawScreenQuad(-1, -1, 1, 1);
    glBlendFunc(GL_ONE, GL_ONE);
    plasmaPicture.bind();
    drawSpriteQuad(-1, -1, 1, 1);
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
}

void drawModelAlongCourse(const Projectile& shell, float spin) {
    glTranslatef(shell.position.x, shell.position.y, shell.position.z);
    glRotatef(shell.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(shell.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(spin, 0.0f, 0.0f, 1.0f);
}

}  // namespace

void Projectile::draw() {
    switch (kind) {
        case 1:
            drawPlasmaBall(*this);
            break;
        case 2:
            glPushMatrix();
            glColor3f(0.1f, 1.0f, 0.0f);
            drawModelAlongCourse(*this, now * 0.5f);
            glScalef(1.5f, 1.5f, 1.5f);
            drawMissileModel();
            glColor3f(1.0f, 1.0f, 1.0f);
            glPopMatrix();
            break;
        case 4:
            glPushMatrix();
            glColor3f(1.0f, 1.0f, 0.0f);
            drawModelAlongCourse(*this, now);
            drawShellModel();
            glColor3f(1.0f, 1.0f, 1.0f);
            glPopMatrix();
            break;
        default:
            break;
    }
}
