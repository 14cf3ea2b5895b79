#include "gamepad/pad_mapping.h"

#include <cmath>

namespace {
// Past the dead zone the stick counts in one direction.
int zoneOf(float value, float deadZone) {
    if (value < -deadZone) return -1;
    if (value > deadZone) return 1;
    return 0;
}

double aimOf(float value, const GamepadSettings& settings) {
    if (std::fabs(value) <= settings.deadZone) return 0.0;
    return value * kStickPixelsPerPass * settings.stickSensitivity;
}

int pressesOf(const PadState& pad, PadControl control) {
    const int i = static_cast<int>(control);
    return i >= 0 && i < kPadControls ? pad.presses[i] : 0;
}
}  // namespace

PadActions mapPad(PadState& pad, PadMemory& memory, const GamepadSettings& settings) {
    PadActions out;
    const int driveZone = zoneOf(pad.axis[static_cast<int>(PadAxis::LeftY)], settings.deadZone);
    const int turnZone = zoneOf(pad.axis[static_cast<int>(PadAxis::LeftX)], settings.deadZone);
    if (driveZone != memory.driveZone) {
        out.driveChanged = true;
        out.drive = static_cast<float>(-driveZone);
        if (driveZone < 0) out.up += 1;
        if (driveZone > 0) out.down += 1;
    }
    if (turnZone != memory.turnZone) {
        out.turnChanged = true;
        out.turn = static_cast<float>(-turnZone);
        if (turnZone < 0) out.left += 1;
        if (turnZone > 0) out.right += 1;
    }
    memory.driveZone = driveZone;
    memory.turnZone = turnZone;

    out.aimX = aimOf(pad.axis[static_cast<int>(PadAxis::RightX)], settings);
    out.aimY = aimOf(pad.axis[static_cast<int>(PadAxis::RightY)], settings);

    // One control may be bound to several actions: read every count first.
    out.shell = pressesOf(pad, settings.shell);
    out.missile = pressesOf(pad, settings.missile);
    out.slowMotion = pressesOf(pad, settings.slowMotion);
    out.embers = pressesOf(pad, settings.embers);
    out.mute = pressesOf(pad, settings.mute);
    out.status = pressesOf(pad, settings.status);
    out.pause = pressesOf(pad, settings.pause);
    out.screenshot = pressesOf(pad, settings.screenshot);
    out.choose = pressesOf(pad, PadControl::A);
    out.back = pressesOf(pad, PadControl::B);
    out.start = pressesOf(pad, PadControl::Start);
    out.up += pressesOf(pad, PadControl::DpadUp);
    out.down += pressesOf(pad, PadControl::DpadDown);
    out.left += pressesOf(pad, PadControl::DpadLeft);
    out.right += pressesOf(pad, PadControl::DpadRight);
    for (int i = 0; i < kPadControls; ++i) {
        out.presses[i] = pad.presses[i];
        pad.presses[i] = 0;
    }
    return out;
}

void addToPlayerActions(const PadActions& pad, PlayerActions& record, double degreesPerPixel,
                        bool invertAim) {
    if (pad.driveChanged) record.drive = pad.drive;
    if (pad.turnChanged) record.turn = pad.turn;
    // As the mouse does: right turns the turret right, down lowers the gun.
    record.aimYaw -= pad.aimX * degreesPerPixel;
    record.aimPitch += (invertAim ? -pad.aimY : pad.aimY) * degreesPerPixel;
    record.shell += pad.shell;
    record.missile += pad.missile;
    record.embers += pad.embers;
    record.slowMotion += pad.slowMotion;
    record.statusReport += pad.status;
    record.mute += pad.mute;
    record.pause += pad.pause;
    record.screenshot += pad.screenshot;
}

PadControl* padBinding(GamepadSettings& settings, BoundAction action) {
    switch (action) {
        case BoundAction::Shell:
            return &settings.shell;
        case BoundAction::Missile:
            return &settings.missile;
        case BoundAction::Embers:
            return &settings.embers;
        case BoundAction::SlowMotion:
            return &settings.slowMotion;
        case BoundAction::StatusReport:
            return &settings.status;
        case BoundAction::Mute:
            return &settings.mute;
        case BoundAction::Pause:
            return &settings.pause;
        case BoundAction::Screenshot:
            return &settings.screenshot;
        default:
            return nullptr;
    }
}
