#include "app/options_rows.h"

#include <cmath>
#include <cstdio>

#include "app/display_options.h"
#include "gamepad/pad_settings.h"

namespace {
// Mouse sensitivity steps: finer below the game's own 1.0.
constexpr double kSensitivitySteps[] = {0.1, 0.2, 0.3, 0.4,  0.5, 0.6,  0.7, 0.8,
                                        0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5,
                                        3.0, 3.5, 4.0, 5.0,  6.0, 7.0,  8.0, 10.0};
constexpr int kVolumeStep = 10;

// The next step from `value` in `direction` (values between steps go to the
// step beside them); the end step stays.
double nextSensitivity(double value, int direction) {
    constexpr double tolerance = 1e-6;
    if (direction > 0) {
        for (double step : kSensitivitySteps)
            if (step > value + tolerance) return step;
        return kMaxMouseSensitivity;
    }
    double below = kMinMouseSensitivity;
    for (double step : kSensitivitySteps)
        if (step < value - tolerance) below = step;
    return below;
}

std::string onOff(bool on) { return on ? "On" : "Off"; }

std::string sensitivityText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The short names pads print on their controls.
std::string padLabel(PadControl control) {
    constexpr const char* kLabels[] = {"A",      "B",      "X",       "Y",  "Back", "Guide",
                                       "Start",  "LS",     "RS",      "LB", "RB",   "D-up",
                                       "D-down", "D-left", "D-right", "LT", "RT",   "none"};
    static_assert(sizeof(kLabels) / sizeof(kLabels[0]) == kPadControls + 1);
    return kLabels[static_cast<int>(control)];
}

std::string capitalised(std::string name) {
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 32);
    return name;
}
}  // namespace

OptionRow optionRow(int index) {
    constexpr RowKind kFirstRows[] = {
        RowKind::Sensitivity, RowKind::InvertAim,      RowKind::Volume,           RowKind::Mute,
        RowKind::Fullscreen,  RowKind::KeysByPosition, RowKind::StickSensitivity, RowKind::Rumble,
        RowKind::RenderScale, RowKind::KeepPace,       RowKind::ReplaysKept};
    static_assert(sizeof(kFirstRows) / sizeof(kFirstRows[0]) == kSettingRows);
    if (index < kFirstBindingRow) return {kFirstRows[index]};
    if (index < kFirstButtonRow)
        return {RowKind::Binding, static_cast<BoundAction>(index - kFirstBindingRow)};
    return {index == kFirstButtonRow ? RowKind::RestoreDefaults : RowKind::Back};
}

std::string actionLabel(BoundAction action) {
    switch (action) {
        case BoundAction::Forward:
            return "Drive forward";
        case BoundAction::Backward:
            return "Drive backward";
        case BoundAction::TurnLeft:
            return "Turn left";
        case BoundAction::TurnRight:
            return "Turn right";
        case BoundAction::Shell:
            return "Fire shell";
        case BoundAction::Missile:
            return "Launch missile";
        case BoundAction::Embers:
            return "Embers";
        case BoundAction::SlowMotion:
            return "Slow motion";
        case BoundAction::StatusReport:
            return "Status report";
        case BoundAction::Mute:
            return "Mute";
        case BoundAction::Pause:
            return "Pause";
        case BoundAction::Screenshot:
            return "Screenshot";
        case BoundAction::None:
            break;
    }
    return "";
}

std::string rowLabel(const OptionRow& row) {
    switch (row.kind) {
        case RowKind::Sensitivity:
            return "Mouse sensitivity";
        case RowKind::InvertAim:
            return "Invert aim";
        case RowKind::Volume:
            return "Volume";
        case RowKind::Mute:
            return "Mute";
        case RowKind::Fullscreen:
            return "Full screen";
        case RowKind::KeysByPosition:
            return "Keys by position";
        case RowKind::StickSensitivity:
            return "Stick sensitivity";
        case RowKind::Rumble:
            return "Pad rumble";
        case RowKind::RenderScale:
            return "Render scale";
        case RowKind::KeepPace:
            return "Keep pace";
        case RowKind::ReplaysKept:
            return "Fights kept";
        case RowKind::Binding:
            return actionLabel(row.action);
        case RowKind::RestoreDefaults:
            return "Restore defaults";
        case RowKind::Back:
            return "Back to the pause";
    }
    return "";
}

std::string keyLabel(InputKey key) {
    if (key == kMouseKey + 0) return "Left button";
    if (key == kMouseKey + 1) return "Middle button";
    if (key == kMouseKey + 2) return "Right button";
    const std::string name = keyName(key);
    if (name.empty()) return "none";
    if (name.size() == 1) return name;
    if (name[0] == 'f' && name.size() <= 3) return "F" + name.substr(1);
    return capitalised(name);
}

std::string rowValue(const OptionRow& row, const Settings& settings) {
    switch (row.kind) {
        case RowKind::Sensitivity:
            return sensitivityText(settings.mouseSensitivity);
        case RowKind::StickSensitivity:
            return sensitivityText(settings.stickSensitivity);
        case RowKind::Rumble:
            return onOff(settings.rumble);
        case RowKind::RenderScale:
            return std::to_string(renderScalePercentOf(settings)) + " %";
        case RowKind::KeepPace:
            return onOff(settings.keepPace);
        case RowKind::ReplaysKept:
            return settings.replaysKept == 0 ? "none" : std::to_string(settings.replaysKept);
        case RowKind::InvertAim:
            return onOff(settings.invertAim);
        case RowKind::Volume:
            return std::to_string(settings.volume);
        case RowKind::Mute:
            return onOff(settings.muted);
        case RowKind::Fullscreen:
            return onOff(settings.fullscreen);
        case RowKind::KeysByPosition:
            return onOff(settings.keysByPosition);
        case RowKind::Binding:
            return keyLabel(boundKey(settings, row.action));
        case RowKind::RestoreDefaults:
        case RowKind::Back:
            break;
    }
    return "";
}

std::string rowPadValue(const OptionRow& row, const Settings& settings) {
    if (row.kind != RowKind::Binding) return "";
    if (!padBindable(row.action)) return "L stick";
    return "pad " + padLabel(boundPadControl(settings, row.action));
}

bool rowSteps(const OptionRow& row) {
    return row.kind != RowKind::Binding && row.kind != RowKind::RestoreDefaults &&
           row.kind != RowKind::Back;
}

bool stepRow(const OptionRow& row, int direction, Settings& settings) {
    const Settings before = settings;
    switch (row.kind) {
        case RowKind::Sensitivity:
            settings.mouseSensitivity = nextSensitivity(settings.mouseSensitivity, direction);
            break;
        case RowKind::StickSensitivity:
            settings.stickSensitivity = nextSensitivity(settings.stickSensitivity, direction);
            break;
        case RowKind::Rumble:
            settings.rumble = !settings.rumble;
            break;
        case RowKind::RenderScale: {
            // 50, 75, 100: Right draws finer, the end step stays.
            const int percent = renderScalePercentOf(settings);
            const int next =
                direction > 0 ? (percent == 50 ? 75 : 100) : (percent == 100 ? 75 : 50);
            if (next != percent) settings.renderScale = next / 100.0;
            break;
        }
        case RowKind::KeepPace:
            settings.keepPace = !settings.keepPace;
            break;
        case RowKind::ReplaysKept: {
            // The steps below and above what is kept; a number from the
            // file between two steps moves to the nearer one that way.
            constexpr int kSteps[] = {0, 5, 10, 20, 50, 100};
            int next = settings.replaysKept;
            if (direction > 0) {
                for (int step : kSteps)
                    if (step > next) {
                        next = step;
                        break;
                    }
            } else {
                for (int i = 5; i >= 0; --i)
                    if (kSteps[i] < next) {
                        next = kSteps[i];
                        break;
                    }
            }
            settings.replaysKept = next;
            break;
        }
        case RowKind::Volume: {
            const int v = settings.volume;
            const int next = direction > 0
                                 ? (v / kVolumeStep + 1) * kVolumeStep
                                 : (v + kVolumeStep - 1) / kVolumeStep * kVolumeStep - kVolumeStep;
            settings.volume = next < 0 ? 0 : next > 100 ? 100 : next;
            break;
        }
        case RowKind::InvertAim:
            settings.invertAim = !settings.invertAim;
            break;
        case RowKind::Mute:
            settings.muted = !settings.muted;
            break;
        case RowKind::Fullscreen:
            settings.fullscreen = !settings.fullscreen;
            break;
        case RowKind::KeysByPosition:
            settings.keysByPosition = !settings.keysByPosition;
            break;
        default:
            break;
    }
    return settings != before;
}

InputKey boundKey(const Settings& settings, BoundAction action) {
    const auto found = settings.keys.find(actionName(action));
    if (found != settings.keys.end()) return keyNamed(found->second);
    return defaultKeyBindings().key[static_cast<int>(action)];
}

void bindKey(Settings& settings, BoundAction action, InputKey key) {
    settings.keys[actionName(action)] = keyName(key);
}

BoundAction conflictOf(const Settings& settings, BoundAction action) {
    const InputKey key = boundKey(settings, action);
    if (key == kNoKey) return BoundAction::None;
    for (int other = 0; other < kBoundActionCount; ++other) {
        const auto otherAction = static_cast<BoundAction>(other);
        if (otherAction != action && boundKey(settings, otherAction) == key) return otherAction;
    }
    return BoundAction::None;
}

BoundAction padConflictOf(const Settings& settings, BoundAction action) {
    // The mapping once, not once per action compared.
    GamepadSettings pad = gamepadSettingsFrom(settings);
    const PadControl* mine = padBinding(pad, action);
    if (!mine || *mine == PadControl::None) return BoundAction::None;
    for (int other = 0; other < kBoundActionCount; ++other) {
        const auto otherAction = static_cast<BoundAction>(other);
        const PadControl* theirs = padBinding(pad, otherAction);
        if (otherAction != action && theirs && *theirs == *mine) return otherAction;
    }
    return BoundAction::None;
}

void restorePanelDefaults(Settings& settings) {
    const Settings defaults;
    settings.mouseSensitivity = defaults.mouseSensitivity;
    settings.invertAim = defaults.invertAim;
    settings.keysByPosition = defaults.keysByPosition;
    // Each key the player chose goes back to the game's own, in so many words.
    const KeyBindings own = defaultKeyBindings();
    for (auto& [action, key] : settings.keys) {
        const BoundAction bound = actionNamed(action);
        if (bound != BoundAction::None) key = keyName(own.key[static_cast<int>(bound)]);
    }
    settings.volume = defaults.volume;
    settings.muted = defaults.muted;
    settings.fullscreen = defaults.fullscreen;
    restorePadDefaults(settings);
}
