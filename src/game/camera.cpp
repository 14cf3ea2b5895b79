#include "game/camera.h"

#include "game/game_state.h"

void updateCamera() {
    if (!player) return;
    const PlayerTank& tank = *player;
    float p = tank.gunPitch + 210.0f;
    if (p > 360.0f) p -= 360.0f;
    // Backward and 30 degrees up for a level gun.
    const Vec3 back = vecNormalize(aimToDirection(tank.turretYaw, p));
    Vec3 eye = vecAdd(tank.position, vecScale(2.0f, back));
    if (eye.y < 0.0f) eye.y = 0.0f;
    CameraState.eye = eye;
    if (world) {
        const double ground = world->heightAt(eye.x, eye.z) + 2.0;
        if (ground > CameraState.eye.y) CameraState.eye.y = static_cast<float>(ground);
    }
    const Vec3 ahead = vecNormalize(aimToDirection(tank.turretYaw, tank.gunPitch));
    CameraState.target = vecAdd(tank.position, vecScale(128.0f, ahead));
}
