#include "game/player_tank.h"

// The start state without models: the hull stands at (400, 0, 400) facing -z
// with both guns pointing straight ahead.
PlayerTank::PlayerTank(NoModels) {
    Aim relative = aimInFrame(0.0f, 0.0f, 0.0f, Aim{turretYaw, gunPitch});
    turretYawRel = relative.yaw;
    gunPitchRel = relative.pitch;
}
