#include "game/player_actions.h"

#include "game/game_events.h"
#include "game/game_state.h"
#include "game/player_fire.h"

PlayerActions playerActions;
bool playerMuted = false;

namespace {
// The tank's inputs change only when a device changes what it holds: the
// values last handed over are the match's givenDrive and givenTurn.
float& givenDrive = theMatch.givenDrive;
float& givenTurn = theMatch.givenTurn;

// The tank's drive and turn codes: 1 forward, 2 backward; 180 left, -180 right.
void giveDrive(PlayerTank& tank, float drive) {
    tank.driveInput = drive > 0.0f ? 1 : (drive < 0.0f ? 2 : 0);
    givenDrive = drive;
}

void giveTurn(PlayerTank& tank, float turn) {
    tank.turnInput = static_cast<int>(turn * 180.0f);
    givenTurn = turn;
}

void holdTankInputs(PlayerTank& tank, const PlayerActions& actions) {
    if (actions.drive != givenDrive) giveDrive(tank, actions.drive);
    if (actions.turn != givenTurn) giveTurn(tank, actions.turn);
}

void aimTank(PlayerTank& tank, PlayerActions& actions) {
    if (actions.aimYaw == 0.0 && actions.aimPitch == 0.0) return;
    tank.gunPitch = gunPitchAfterTurn(tank.gunPitch, actions.aimPitch);
    tank.turretYaw = turretYawAfterTurn(tank.turretYaw, actions.aimYaw);
    foldAim(tank.turretYaw, tank.gunPitch);
}

// Takes one press away; true when there was one.
bool takePress(int& presses) {
    if (presses <= 0) return false;
    --presses;
    return true;
}
}  // namespace

void applyPlayerActions(PlayerActions& actions) {
    if (player) {
        holdTankInputs(*player, actions);
        aimTank(*player, actions);
    }
    actions.aimYaw = actions.aimPitch = 0.0;
    while (takePress(actions.shell)) fireShell();
    while (takePress(actions.missile)) fireMissile();
    while (takePress(actions.embers)) throwEmbers();
    while (takePress(actions.slowMotion)) TimeScale = TimeScale > 50.0f ? 30.0f : 100.0f;
    while (takePress(actions.mute)) {
        playerMuted = !playerMuted;
        if (gameEvents) gameEvents->muteToggled();
    }
}

void releaseHeldActions(PlayerActions& actions) {
    actions.drive = actions.turn = 0.0f;
    if (player) {
        giveDrive(*player, 0.0f);
        giveTurn(*player, 0.0f);
    }
}

void resetPlayerActions() {
    playerActions = PlayerActions{};
    playerMuted = false;
    givenDrive = givenTurn = 0.0f;
}

float gunPitchAfterTurn(float gunPitch, double degrees) {
    // A turn so large that wrapping once would land it on the wrong side
    // stops at the limit it went toward.
    const double signedPitch = gunPitch >= 180.0f ? gunPitch - 360.0 : gunPitch;
    if (signedPitch + degrees > 6.0) return 6.0f;
    if (signedPitch + degrees < -60.0) return 300.0f;
    float p = static_cast<float>(gunPitch + degrees);
    if (p > 360.0f) p -= 360.0f;
    if (p < 0.0f) p += 360.0f;
    if (p > 6.0f && p < 180.0f) {
        p = 6.0f;
    } else if (p >= 180.0f && p < 300.0f) {
        p = 300.0f;
    }
    return p;
}

float turretYawAfterTurn(float turretYaw, double degrees) {
    float q = static_cast<float>(turretYaw + degrees);
    while (q > 360.0f) q -= 360.0f;
    while (q < 0.0f) q += 360.0f;
    return q;
}
