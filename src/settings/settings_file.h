#pragma once
// The settings file: $XDG_CONFIG_HOME/brakkon/settings.ini, by default
// ~/.config/brakkon/settings.ini. It is read once at start and written only
// when the player changes a setting.
#include <functional>
#include <string>

#include "settings/settings.h"

using SayLine = std::function<void(const std::string&)>;

// Where the file is; empty when neither XDG_CONFIG_HOME nor HOME is set.
std::string settingsFilePath();

// The settings in `path`: no file gives the defaults and says nothing; each
// value or line that cannot be used is named on `say` with the default used.
// The file itself is never changed.
Settings loadSettingsFile(const std::string& path, const SayLine& say);
// Writes `settings` into `path`, keeping every line it does not set. A file
// the reader could not fully use is first kept beside it as <path>.bak (a
// read-only .bak is never replaced). A symbolic link stays, what the link
// leads to is written; anything but a regular file, and a read-only file,
// is left alone. False (and why on `say`) when it could not be written; the
// file is then as it was.
bool saveSettingsFile(const std::string& path, const Settings& settings, const SayLine& say);

// The player's settings in force, and the file they came from.
extern Settings playerSettings;
extern std::string playerSettingsPath;
// Reads playerSettings from the player's file, messages to standard error.
void loadPlayerSettings();
// Saves playerSettings to the file they came from (an options panel calls
// this after each change). False when it could not be written.
bool savePlayerSettings();
