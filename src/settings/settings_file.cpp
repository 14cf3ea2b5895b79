#include "settings/settings_file.h"

#include <cstdio>
#include <cstdlib>
#include <set>

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
    const auto notSaved = [&](const std::string& why) {
        say("Brakkon: the settings cannot be saved: " + why + ".");
        return false;
    };
    if (path.empty()) return notSaved("neither XDG_CONFIG_HOME nor HOME is set");
    std::string text, error;
    bool exists = false;
    const bool readable = readSmallFile(path, text, exists, kLargestFile, error);
    // Nothing of a file that cannot be read can be kept in the new one.
    if (!readable) text.clear();
    // The new file is written in full before the old one is touched.
    PendingFile pending;
    if (!writePendingFile(path, writeSettingsText(text, settings), pending, error))
        return notSaved(error);
    // A file the reader could not fully use is kept aside first, once: a
    // backup of the same text is not written again.
    const std::string backup = path + ".bak";
    bool keptAside = true;
    if (exists && !readable) {
        keptAside = linkFile(path, backup, error);
    } else if (exists && !readSettingsText(text).problems.empty()) {
        std::string kept, unused;
        bool there = false;
        if (!readSmallFile(backup, kept, there, kLargestFile, unused) || kept != text)
            keptAside = replaceFile(backup, text, error);
    }
    if (!keptAside) {
        discardPendingFile(pending);
        return notSaved(path + " would first be kept aside, but " + error);
    }
    if (!commitPendingFile(pending, error)) return notSaved(error);
    return true;
}

void loadPlayerSettings() {
    playerSettingsPath = settingsFilePath();
    playerSettings = loadSettingsFile(playerSettingsPath, sayOnStandardError);
}

bool savePlayerSettings() {
    // Each change saves: why it cannot is said once, not on every change.
    static std::set<std::string> said;
    return saveSettingsFile(playerSettingsPath, playerSettings, [](const std::string& line) {
        if (said.insert(line).second) sayOnStandardError(line);
    });
}
