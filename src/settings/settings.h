#pragma once
// The player's settings and their file. Without a file every value is the
// game's own and nothing is written; a value that cannot be read keeps its
// default and is named on standard error.
#include <map>
#include <string>
#include <vector>

struct Settings {
    // [controls]
    double mouseSensitivity = 1.0;  // mouse_sensitivity: 1 is 0.125 degrees per pixel, 0.1..10
    bool invertAim = false;         // invert_aim: moving the mouse down raises the gun
    bool keysByPosition = false;    // keys_by_position: keys where a US keyboard has them
    // key_<action> = <key>: action name to key name, only those the file gives.
    std::map<std::string, std::string> keys;
    // [sound]
    int volume = 100;  // volume: 0..100, 100 the game's full level
    bool muted = false;
    // [display]
    bool fullscreen = true;
    bool keepPace = true;      // keep_pace
    double renderScale = 1.0;  // render_scale: 1, 0.75 or 0.5
    // [gamepad]
    // button_<action> = <control>: action name to pad control name, only
    // those the file gives.
    std::map<std::string, std::string> padButtons;
    double stickSensitivity = 1.0;  // stick_sensitivity: 0.1..10, 1 the game's own speed
    bool rumble = true;
    // [replays]
    int replaysKept = 20;  // keep: the newest fights recorded, 0..1000; 0 records none

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};

constexpr double kMinMouseSensitivity = 0.1, kMaxMouseSensitivity = 10.0;
constexpr int kMostReplaysKept = 1000;

// Something in a settings text that could not be used.
struct SettingsProblem {
    int line = 0;         // from 1
    std::string message;  // what was wrong and what is used instead
};

struct SettingsRead {
    Settings settings;
    std::vector<SettingsProblem> problems;
    std::vector<int> brokenLines;  // lines that are not a section, value or comment
};

// Reads a settings text (with libinih). Keys it does not know are left alone.
SettingsRead readSettingsText(const std::string& text);
// The text with every setting that differs from what it says (or, where it
// says nothing, from the default) written in; everything else kept.
std::string writeSettingsText(const std::string& text, const Settings& settings);
