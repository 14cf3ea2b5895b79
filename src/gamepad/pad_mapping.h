#pragma once
// A pad's state turned into the player's actions, once per pass of the
// game's timer (or of the idle pass before play). Pure: no device, no game
// state, so the whole mapping is tested without a window or a pad.
#include "game/key_bindings.h"
#include "game/player_actions.h"
#include "gamepad/pad_state.h"

// The [gamepad] settings: which control does what, and how the sticks feel.
struct GamepadSettings {
    PadControl shell = PadControl::RightTrigger;
    PadControl missile = PadControl::RightShoulder;
    PadControl slowMotion = PadControl::LeftShoulder;
    PadControl embers = PadControl::X;
    PadControl mute = PadControl::Y;
    PadControl status = PadControl::Back;
    PadControl pause = PadControl::Start;
    PadControl screenshot = PadControl::None;
    // Stick travel (0..1) that counts as centred.
    float deadZone = 0.25f;
    // Right stick aim speed; 1.0 turns the turret 4 degrees a pass at full
    // deflection with the mouse sensitivity at 1.0.
    float stickSensitivity = 1.0f;
    bool rumble = true;
};

// The control bound to an action, or nullptr for the actions the left
// stick holds (drive and turn).
PadControl* padBinding(GamepadSettings& settings, BoundAction action);

// Pointer pixels the right stick moves per pass at full deflection and
// sensitivity 1 (0.125 degrees each at mouse sensitivity 1).
constexpr double kStickPixelsPerPass = 32.0;

// The left stick's zone along one direction: -1, 0 or 1.
struct PadMemory {
    int driveZone = 0;  // -1 forward (stick up), 1 backward
    int turnZone = 0;   // -1 left, 1 right
};

struct PadActions {
    // Drive and turn change only when the stick enters another zone, as a
    // key going down or up does: a centred stick leaves the keys alone.
    bool driveChanged = false;
    float drive = 0.0f;  // 1 forward, -1 backward, 0 still
    bool turnChanged = false;
    float turn = 0.0f;  // 1 left, -1 right, 0 straight
    // The aim move in pointer pixels, right and down positive.
    double aimX = 0.0, aimY = 0.0;
    // Presses of the bound actions.
    int shell = 0, missile = 0, slowMotion = 0, embers = 0, mute = 0, status = 0, pause = 0,
        screenshot = 0;
    // Screens and notices: A chooses, B goes back, Start begins on the menu;
    // the d-pad or the left stick moves.
    int choose = 0, back = 0, start = 0;
    int up = 0, down = 0, left = 0, right = 0;
    // Every control's presses, for choosing a binding.
    int presses[kPadControls] = {};
};

// Reads the state's presses (and clears them) and the stick positions.
PadActions mapPad(PadState& pad, PadMemory& memory, const GamepadSettings& settings);

// Adds a pass of play to the player's action record, the aim at the
// mouse's degrees per pixel and with its invert.
void addToPlayerActions(const PadActions& pad, PlayerActions& record, double degreesPerPixel,
                        bool invertAim);
