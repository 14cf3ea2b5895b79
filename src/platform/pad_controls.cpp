#include "platform/pad_controls.h"

namespace {
constexpr const char* kNames[] = {
    "a",
    "b",
    "x",
    "y",
    "back",
    "guide",
    "start",
    "leftstick",
    "rightstick",
    "leftshoulder",
    "rightshoulder",
    "dpup",
    "dpdown",
    "dpleft",
    "dpright",
    "lefttrigger",
    "righttrigger",
    "none",
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == kPadControls + 1);
}  // namespace

const char* padControlName(PadControl control) { return kNames[static_cast<int>(control)]; }

bool padControlFromName(const std::string& name, PadControl& control) {
    for (int i = 0; i <= kPadControls; ++i) {
        if (name == kNames[i]) {
            control = static_cast<PadControl>(i);
            return true;
        }
    }
    return false;
}
