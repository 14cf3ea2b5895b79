#pragma once
// What one pad has told since it was last read: where its sticks and
// triggers stand, which controls are held, and how often each was pressed.
// Presses are counted from the device's events, so a tap shorter than a
// game tick still counts.
#include "platform/pad_controls.h"

// The axes in SDL's order: sticks from -1 to 1 (right and down positive),
// triggers from 0 to 1.
enum class PadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
constexpr int kPadAxes = 6;

struct PadState {
    float axis[kPadAxes] = {};
    bool held[kPadControls] = {};
    int presses[kPadControls] = {};
};

// A button went down or up.
void recordButton(PadState& pad, PadControl button, bool down);
// An axis moved to value (SDL's -32768..32767 already scaled to -1..1). A
// trigger is pressed past half way and released below a quarter, so a
// trigger resting near the middle does not flicker.
void recordAxis(PadState& pad, PadAxis axis, float value);
// SDL's axis reading scaled to -1..1.
float axisFraction(int raw);
