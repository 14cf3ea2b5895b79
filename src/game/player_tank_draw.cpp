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

// Two guns turned by the hull-relative aim; always the detailed models.
// The second gun reuses the scaled matrix, and its pop removes the scale.
void drawGuns(const PlayerTank& tank) {
    glPushMatrix();
    glScalef(0.001f, 0.001f, 0.001f);
    glPushMatrix();
    glTranslatef(-360.0f, 260.0f, -20.0f);
    glRotatef(tank.turretYawRel, 0.0f, 1.0f, 0.0f);
    glRotatef(tank.gunPitchRel, 1.0f, 0.0f, 0.0f);
    glTranslatef(-360.0f, 0.0f, 20.0f);
    tank.drawList(PlayerTank::DetailGunBarrel);
    tank.drawList(PlayerTank::DetailGunBase);
    glPopMatrix();
    glTranslatef(360.0f, 260.0f, -20.0f);
    glRotatef(tank.turretYawRel, 0.0f, 1.0f, 0.0f);
    glRotatef(tank.gunPitchRel, 1.0f, 0.0f, 0.0f);
    glTranslatef(-360.0f, 0.0f, 20.0f);
    tank.drawList(PlayerTank::DetailGunBarrel);
    tank.drawList(PlayerTank::DetailGunBase);
    glPopMatrix();
}

// Hull: main body, top with cannon, and the two tracks.
void drawHull(const PlayerTank& tank, bool detailed) {
    glPushMatrix();
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    glScalef(0.001f, 0.001f, 0.001f);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glPushMatrix();
    tank.drawList(detailed ? PlayerTank::DetailMain : PlayerTank::PlainMain);
    glPopMatrix();
    glPushMatrix();
    tank.drawList(detailed ? PlayerTank::DetailTop : PlayerTank::PlainTop);
    glPushMatrix();
    tank.drawList(detailed ? PlayerTank::DetailCannon : PlayerTank::PlainCannon);
    glPopMatrix();
    glPopMatrix();
    glPushMatrix();
    const auto trackList =
        static_cast<PlayerTank::List>(PlayerTank::DetailTrack0 + tank.trackFrameShown);
    tank.drawList(trackList);
    glPushMatrix();
    glTranslatef(-490.0f, 0.0f, 0.0f);
    tank.drawList(trackList);
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
}

}  // namespace

// Tilt with the ground; off the world the last tilt stays.
void PlayerTank::tiltWithGround() {
    if (!world) return;
    float angleA = NAN, angleB = NAN;
    const float x = position.x, z = position.z;
    world->slopeAngles(x, z - 0.5f, x, z + 0.5f, x - 0.5f, z, x + 0.5f, z, angleA, angleB);
    if (!std::isnan(angleA) && !std::isnan(angleB)) {
        hullPitch = angleA * kRadiansToDegrees;
        hullRoll = angleB * kRadiansToDegrees;
    }
}

// The tracks roll one frame per tick while driving; the picture shows the
// frame from before the roll, as when each picture rolled them after drawing.
void PlayerTank::rollTracks() {
    trackFrameShown = trackFrame;
    if (driveInput == 1)
        trackFrame = trackFrame >= 4 ? 0 : trackFrame + 1;
    else if (driveInput == 2)
        trackFrame = trackFrame <= 0 ? 4 : trackFrame - 1;
}

void PlayerTank::draw(bool detailed) {
    // The tank is lit almost by ambient light alone.
    setLight0(0.0013f);
    glPushMatrix();
    glTranslated(position.x, position.y + 1.0, position.z);
    glRotatef(hullPitch, 1.0f, 0.0f, 0.0f);
    glRotatef(hullRoll, 0.0f, 0.0f, 1.0f);
    glRotated(hullHeading, 0.0, 1.0, 0.0);
    drawGuns(*this);
    drawHull(*this, detailed);
    glPopMatrix();
    setLight0(1.0f);
}
