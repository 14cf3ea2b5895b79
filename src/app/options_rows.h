#pragma once
// What the options panel offers, row by row, and what each row does to the
// player's settings. No drawing here: the panel draws these rows.
#include <string>

#include "game/key_bindings.h"
#include "settings/settings.h"

enum class RowKind {
    Sensitivity,
    InvertAim,
    Volume,
    Mute,
    Fullscreen,
    KeysByPosition,
    StickSensitivity,
    Rumble,
    RenderScale,
    KeepPace,
    ReplaysKept,
    Binding,
    RestoreDefaults,
    Back
};

struct OptionRow {
    RowKind kind;
    BoundAction action = BoundAction::None;  // for Binding rows
};

// The settings rows come first, then one row per action, then the buttons.
constexpr int kSettingRows = 11;
constexpr int kFirstBindingRow = kSettingRows;
constexpr int kFirstButtonRow = kFirstBindingRow + kBoundActionCount;
constexpr int kOptionRowCount = kFirstButtonRow + 2;
OptionRow optionRow(int index);

// The row's name as the panel shows it.
std::string rowLabel(const OptionRow& row);
// Its value as shown ("1.25", "On", "Tab", "Left button"); empty for rows
// that are buttons.
std::string rowValue(const OptionRow& row, const Settings& settings);
// A binding row's pad control as shown ("pad RT", "pad none", "L stick");
// empty for other rows.
std::string rowPadValue(const OptionRow& row, const Settings& settings);
// True for rows whose value Left and Right change.
bool rowSteps(const OptionRow& row);

// Left (-1) or Right (+1) on a row: the next mouse sensitivity, volume or
// render scale step, or an On / Off turned over. False when nothing changed.
bool stepRow(const OptionRow& row, int direction, Settings& settings);

// The key bound to an action under these settings.
InputKey boundKey(const Settings& settings, BoundAction action);
// Binds the action to the key in the settings (a key the game's own table
// gives is stored too, so the file says what the player chose).
void bindKey(Settings& settings, BoundAction action, InputKey key);
// The first other action bound to the same key, or None.
BoundAction conflictOf(const Settings& settings, BoundAction action);
// The first other action bound to the same pad control, or None.
BoundAction padConflictOf(const Settings& settings, BoundAction action);
// A key's name for the panel: "w", "Space", "F12", "Left button".
std::string keyLabel(InputKey key);
// What the panel calls an action: "Drive forward", "Fire shell", ...
std::string actionLabel(BoundAction action);

// The panel's part of the defaults: controls, pads, sound and full screen as
// the game's own; other settings (the display's pace) stay as they are.
void restorePanelDefaults(Settings& settings);
