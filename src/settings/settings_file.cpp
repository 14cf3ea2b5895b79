#include "settings/settings_file.h"

#include <cstdio>
#include <cstdlib>

#include "settings/atomic_file.h"

Settings playerSettings;
std::string playerSettingsPath;

namespace {
// A settings file is a few hundred bytes; anything this large is not one.
constexpr std::size_t kLargestFile = 1 << 20;

void sayOnStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }
}  // namespace

std::string settingsFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // The XDG rule: a relative path is not used.
    if (config && config[0] == '/') return std::string(config) + "/brakkon/settings.ini";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.config/brakkon/settings.ini";
    return "";
}

Settings loadSettingsFile(const std::string& path, const SayLine& say) {
    if (path.empty()) return Settings{};
    std::string text, error;
    bool exists = false;
    if (!readSmallFile(path, text, exists, kLargestFile, error)) {
        if (exists)
            say("Brakkon: " + path + " cannot be read (" + error + "); using the defaults.");
        return Settings{};
    }
    const SettingsRead read = readSettingsText(text);
    for (const SettingsProblem& p : read.problems)
        say("Brakkon: " + path + " line " + std::to_string(p.line) + ": " + p.message + ".");
    return read.settings;
}

bool saveSettingsFile(const std::string& path, const Settings& settings, const SayLine& say) {
    if (path.empty()) {
        say("Brakkon: the settings cannot be saved: neither XDG_CONFIG_HOME nor HOME is set.");
        return false;
    }
    std::string text, error;
    bool exists = false;
    const bool readable = readSmallFile(path, text, exists, kLargestFile, error);
    const std::string backup = path + ".bak";
    if (exists && !readable) {
        // Nothing of it can be kept in the new file: all of it goes aside.
        text.clear();
        if (std::rename(path.c_str(), backup.c_str()) != 0) {
            say("Brakkon: the settings cannot be saved: " + path + " cannot be read (" + error +
                ") nor moved aside.");
            return false;
        }
    } else if (exists && !readSettingsText(text).problems.empty() &&
               !replaceFile(backup, text, error)) {
        say("Brakkon: the settings cannot be saved: " + error + ".");
        return false;
    }
    if (!replaceFile(path, writeSettingsText(text, settings), error)) {
        say("Brakkon: the settings cannot be saved: " + error + ".");
        return false;
    }
    return true;
}

void loadPlayerSettings() {
    playerSettingsPath = settingsFilePath();
    playerSettings = loadSettingsFile(playerSettingsPath, sayOnStandardError);
}

bool savePlayerSettings() {
    return saveSettingsFile(playerSettingsPath, playerSettings, sayOnStandardError);
}
