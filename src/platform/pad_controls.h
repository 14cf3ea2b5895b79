#pragma once
// The controls of a standard pad, by the names SDL's game controller layer
// gives them, so a settings file can name any of them. Buttons come first,
// numbered as SDL numbers them; the two triggers follow as buttons of their
// own (a trigger counts as pressed past half way).
#include <string>

enum class PadControl {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    LeftTrigger,
    RightTrigger,
    None,  // bound to nothing
};

constexpr int kPadButtons = static_cast<int>(PadControl::LeftTrigger);
constexpr int kPadControls = static_cast<int>(PadControl::None);

// "a", "rightshoulder", "righttrigger", ... ; "none" for None.
const char* padControlName(PadControl control);
// The control of a name (case as written by padControlName); false when the
// name is none of them.
bool padControlFromName(const std::string& name, PadControl& control);
