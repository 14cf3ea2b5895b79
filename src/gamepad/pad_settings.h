#pragma once
// The [gamepad] part of the player's settings as the pads use it, and the
// pad side of binding an action from the options panel.
#include "gamepad/pad_mapping.h"
#include "settings/settings.h"

// The game's own mapping with the file's buttons, stick sensitivity and
// rumble over it. An action name the game does not know, or one the left
// stick holds, is left alone.
GamepadSettings gamepadSettingsFrom(const Settings& settings);
// True for the actions a pad button can do (the left stick drives and turns).
bool padBindable(BoundAction action);
// The control bound to an action under these settings; None when nothing is.
PadControl boundPadControl(const Settings& settings, BoundAction action);
// Binds the action to the control in the settings (stored even when it is
// the game's own, so the file says what the player chose).
void bindPadControl(Settings& settings, BoundAction action, PadControl control);
// The game's own mapping, in so many words, for every button the player chose.
void restorePadDefaults(Settings& settings);
