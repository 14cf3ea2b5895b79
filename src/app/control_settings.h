#pragma once
// The player's control settings put into force: the mouse's aim, the key
// bindings (keys by position also reads keyBindings) and the pads' mapping.
#include "settings/settings.h"

// Mouse sensitivity and invert into the aim, and the bindings from the
// game's own table with the file's keys over it. An action name the game
// does not know is left alone.
void applyControlSettings(const Settings& settings);
// True when keys are read by where they sit rather than what they type.
extern bool keysByPosition;
