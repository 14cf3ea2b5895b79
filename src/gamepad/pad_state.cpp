#include "gamepad/pad_state.h"

namespace {
constexpr float kTriggerPress = 0.5f;
constexpr float kTriggerRelease = 0.25f;
}  // namespace

void recordButton(PadState& pad, PadControl button, bool down) {
    const int i = static_cast<int>(button);
    if (i < 0 || i >= kPadControls) return;
    if (down && !pad.held[i]) pad.presses[i] += 1;
    pad.held[i] = down;
}

void recordAxis(PadState& pad, PadAxis axis, float value) {
    const int a = static_cast<int>(axis);
    if (a < 0 || a >= kPadAxes) return;
    pad.axis[a] = value;
    PadControl trigger = PadControl::None;
    if (axis == PadAxis::LeftTrigger) trigger = PadControl::LeftTrigger;
    if (axis == PadAxis::RightTrigger) trigger = PadControl::RightTrigger;
    if (trigger == PadControl::None) return;
    const bool held = pad.held[static_cast<int>(trigger)];
    if (!held && value >= kTriggerPress) recordButton(pad, trigger, true);
    if (held && value < kTriggerRelease) recordButton(pad, trigger, false);
}

float axisFraction(int raw) {
    const float f = static_cast<float>(raw) / 32767.0f;
    return f < -1.0f ? -1.0f : f;
}
