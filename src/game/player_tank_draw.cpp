#include <GL/gl.h>

#include <cmath>

#include "game/game_state.h"
#include "game/player_tank.h"

namespace {

constexpr double kRadiansToDegrees = 57.2957795;

void setLight0(float level) {
    const GLfloat colour[4] = {level, level, level, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, colour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, colour);
}

}  // namespace

void PlayerTank::draw(bool detailed) {
    // The tank is lit almost by ambient light alone.
    setLight0(0.0013f);

    // Tilt with the ground; off the world the last tilt stays.
    if (world) {
        float angleA = NAN, angleB = NAN;
        const float x = position.x, z = position.z;
        world->slopeAngles(x, z - 0.5f, x, z + 0.5f, x - 0.5f, z, x + 0.5f, z, angleA, angleB);
        if (!std::isnan(angleA) && !std::isnan(angleB)) {
            hullPitch = angleA * kRadiansToDegrees;
            hullRoll = angleB * kRadiansToDegrees;
        }
    }

    glPushMatrix();
    glTranslated(position.x, position.y + 1.0, position.z);
    glRotatef(hullPitch, 1.0f, 0.0f, 0.0f);
    glRotatef(hullRoll, 0.0f, 0.0f, 1.0f);
    glRotated(hullHeading, 0.0, 1.0, 0.0);

    // Two guns turned by the hull-relative aim; always the detailed models.
    // The second gun reuses the scaled matrix, and its pop removes the scale.
    glPushMatrix();
    glScalef(0.001f, 0.001f, 0.001f);
    glPushMatrix();
    glTranslatef(-360.0f, 260.0f, -20.0f);
    glRotatef(turretYawRel, 0.0f, 1.0f, 0.0f);
    glRotatef(gunPitchRel, 1.0f, 0.0f, 0.0f);
    glTranslatef(-360.0f, 0.0f, 20.0f);
    glCallList(lists[DetailGunBarrel]);
    glCallList(lists[DetailGunBase]);
    glPopMatrix();
    glTranslatef(360.0f, 260.0f, -20.0f);
    glRotatef(turretYawRel, 0.0f, 1.0f, 0.0f);
    glRotatef(gunPitchRel, 1.0f, 0.0f, 0.0f);
    glTranslatef(-360.0f, 0.0f, 20.0f);
    glCallList(lists[DetailGunBarrel]);
    glCallList(lists[DetailGunBase]);
    glPopMatrix();

    // Hull: main body, top with cannon, and the two tracks.
    glPushMatrix();
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glScalef(0.001f, 0.001f, 0.001f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glPushMatrix();
    glCallList(lists[detailed ? DetailMain : PlainMain]);
    glPopMatrix();
    glPushMatrix();
    glCallList(lists[detailed ? DetailTop : PlainTop]);
    glPushMatrix();
    glCallList(lists[detailed ? DetailCannon : PlainCannon]);
    glPopMatrix();
    glPopMatrix();
    glPushMatrix();
    const unsigned int trackList = lists[DetailTrack0 + trackFrame];
    glCallList(trackList);
    glPushMatrix();
    glTranslatef(-490.0f, 0.0f, 0.0f);
    glCallList(trackList);
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();

    glPopMatrix();

    // The tracks roll one frame per drawn frame while driving.
    if (driveInput == 1)
        trackFrame = trackFrame >= 4 ? 0 : trackFrame + 1;
    else if (driveInput == 2)
        trackFrame = trackFrame <= 0 ? 4 : trackFrame - 1;

    setLight0(1.0f);
}
