#pragma once
// The player's actions, one record that every input device fills and the
// game reads (after Quake III's usercmd_t). Devices know keys, buttons and
// pixels; the game only knows this record.
//
// How a device feeds it:
//  - Held actions are levels: set `drive` and `turn` to what the device holds
//    now (a key gives -1, 0 or 1; a stick any value between), and set them
//    back to 0 when let go.
//  - Aim is a sum: add the turret and gun turn the device wants, in degrees,
//    to `aimYaw` and `aimPitch`; reading the record takes them away.
//  - Buttons are edges: add 1 to a press count on each press, nothing on
//    release; reading the record takes the presses away.
// Then the shell applies the record (at once for an event-driven device, so
// a press acts before the next picture; a polled device fills the record
// just before the game tick, which applies it too).

struct PlayerActions {
    // Held. drive: 1 forward, -1 backward, 0 still. turn: 1 left, -1 right.
    float drive = 0.0f;
    float turn = 0.0f;
    // Aim not yet applied, in degrees: added to the turret's yaw (positive
    // turns it left) and to the gun's pitch (positive lowers the gun).
    double aimYaw = 0.0;
    double aimPitch = 0.0;
    // Presses not yet applied.
    int shell = 0;
    int missile = 0;
    int embers = 0;
    int slowMotion = 0;
    int statusReport = 0;
    int mute = 0;
    int pause = 0;
    int screenshot = 0;
};

// The one record all devices fill.
extern PlayerActions playerActions;
// Whether the player has the sound muted (each mute press turns it over).
extern bool playerMuted;

// Carries out the game's share of the record, in this order: held drive and
// turn, aim, shells, missiles, embers, slow motion, mute; and clears what it
// used. The shell's share (status report, pause, screenshot) stays for the
// shell. Without a tank the tank's actions are dropped.
void applyPlayerActions(PlayerActions& actions);
// Lets go of every held action and stops the tank's drive and turn (the
// pause does this).
void releaseHeldActions(PlayerActions& actions);
// An empty record, nothing held (part of resetting the game state).
void resetPlayerActions();

// The gun pitch after turning it by `degrees` (positive lowers), kept to
// 300..360 or 0..6 (60 degrees up to 6 down).
float gunPitchAfterTurn(float gunPitch, double degrees);
// The turret yaw after turning it by `degrees` (positive left), in 0..360.
float turretYawAfterTurn(float turretYaw, double degrees);
