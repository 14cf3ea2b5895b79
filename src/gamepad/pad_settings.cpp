#include "gamepad/pad_settings.h"

GamepadSettings gamepadSettingsFrom(const Settings& settings) {
    GamepadSettings pad;
    for (const auto& [action, name] : settings.padButtons) {
        PadControl* bound = padBinding(pad, actionNamed(action));
        PadControl control;
        if (bound && padControlFromName(name, control)) *bound = control;
    }
    pad.stickSensitivity = static_cast<float>(settings.stickSensitivity);
    pad.rumble = settings.rumble;
    return pad;
}

bool padBindable(BoundAction action) {
    GamepadSettings pad;
    return padBinding(pad, action) != nullptr;
}

PadControl boundPadControl(const Settings& settings, BoundAction action) {
    GamepadSettings pad = gamepadSettingsFrom(settings);
    const PadControl* bound = padBinding(pad, action);
    return bound ? *bound : PadControl::None;
}

void bindPadControl(Settings& settings, BoundAction action, PadControl control) {
    if (padBindable(action)) settings.padButtons[actionName(action)] = padControlName(control);
}

void restorePadDefaults(Settings& settings) {
    const Settings defaults;
    settings.stickSensitivity = defaults.stickSensitivity;
    settings.rumble = defaults.rumble;
    for (auto& [action, control] : settings.padButtons) {
        if (padBindable(actionNamed(action)))
            control = padControlName(boundPadControl(defaults, actionNamed(action)));
    }
}
