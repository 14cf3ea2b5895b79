#include "app/control_settings.h"

#include "app/fight_recording.h"
#include "app/gamepad_input.h"
#include "app/input.h"
#include "gamepad/pad_settings.h"

bool keysByPosition = false;

void applyControlSettings(const Settings& settings) {
    mouseAim.sensitivity = settings.mouseSensitivity;
    mouseAim.invert = settings.invertAim;
    keyBindings = defaultKeyBindings();
    for (const auto& [action, key] : settings.keys) {
        const BoundAction bound = actionNamed(action);
        if (bound != BoundAction::None) keyBindings.key[static_cast<int>(bound)] = keyNamed(key);
    }
    keysByPosition = settings.keysByPosition;
    gamepadSettings = gamepadSettingsFrom(settings);
    replayKeep = settings.replaysKept;
}
