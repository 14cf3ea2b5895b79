#include "app/launch_options.h"

#include <cstdio>
#include <cstring>

#include "app/display_options.h"
#include "replay/replay_version.h"

namespace {
enum class Option { Window, DesignPace, RenderScale, Replay, CheckReplay, Help, Version };

struct OptionEntry {
    Option option;
    const char* name;
    const char* value;  // the value's name in the help, or nullptr when it takes none
    const char* help;   // lines after the first are indented under it
};

constexpr OptionEntry kOptions[] = {
    {Option::Window, "--window", nullptr, "play in a 1024 x 768 window instead of full screen"},
    {Option::DesignPace, "--design-pace", nullptr,
     "one game tick per timer pass, even when frames are slow\n"
     "(by default the ticks a slow frame missed are made up)"},
    {Option::RenderScale, "--render-scale", "PERCENT",
     "draw the 3D scene at 100 (default), 75 or 50 percent of the\n"
     "window's size and scale it up; the HUD stays sharp"},
    {Option::Replay, "--replay", "FILE",
     "watch a recorded fight (\"last\": the newest); Tab pauses,\n"
     "] and [ change the speed, Esc quits"},
    {Option::CheckReplay, "--check-replay", "FILE",
     "run a recorded fight without a window and say whether the\n"
     "game still plays it the same (exit status 0), not (1), or\n"
     "cannot read it (2)"},
    {Option::Help, "--help", nullptr, "show this help and exit"},
    {Option::Version, "--version", nullptr, "show the version and exit"},
};

const OptionEntry* findOption(const char* arg, const char*& value) {
    value = nullptr;
    for (const OptionEntry& entry : kOptions) {
        const std::size_t length = std::strlen(entry.name);
        if (std::strncmp(arg, entry.name, length) != 0) continue;
        if (arg[length] == '\0') return &entry;
        if (arg[length] == '=' && entry.value) {
            value = arg + length + 1;
            return &entry;
        }
    }
    return nullptr;
}

void refuse(LaunchOptions& options, const std::string& why) {
    options.answer = LaunchAnswer::Refuse;
    options.refusal = "brakkon: " + why;
}
}  // namespace

LaunchOptions readLaunchOptions(int argc, char** argv) {
    LaunchOptions options;
    for (int i = 1; i < argc && options.answer == LaunchAnswer::Play; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "-h") == 0) {
            options.answer = LaunchAnswer::Help;
            continue;
        }
        if (std::strncmp(arg, "--", 2) != 0) continue;
        const char* value = nullptr;
        const OptionEntry* entry = findOption(arg, value);
        if (!entry) {
            refuse(options, std::string("unknown option '") + arg + "'\nTry 'brakkon --help'.");
            continue;
        }
        switch (entry->option) {
            case Option::Window:
                options.windowed = true;
                break;
            case Option::DesignPace:
                options.designPace = true;
                break;
            case Option::Help:
                options.answer = LaunchAnswer::Help;
                break;
            case Option::Version:
                options.answer = LaunchAnswer::Version;
                break;
            case Option::Replay:
            case Option::CheckReplay:
                if (!value && i + 1 < argc) value = argv[++i];
                if (!value || !*value) {
                    refuse(options, std::string(entry->name) + " takes a file");
                    break;
                }
                (entry->option == Option::Replay ? options.replayFile : options.checkReplayFile) =
                    value;
                break;
            case Option::RenderScale:
                if (!value && i + 1 < argc) value = argv[++i];
                options.renderScalePercent = renderScaleFromText(value);
                if (options.renderScalePercent == 0)
                    refuse(options, value
                                        ? std::string("--render-scale takes 100, 75 or 50, not '") +
                                              value + "'"
                                        : "--render-scale takes 100, 75 or 50");
                break;
        }
    }
    return options;
}

std::string launchHelp(const std::string& settingsPath) {
    std::string text = "Usage: brakkon";
    for (const OptionEntry& entry : kOptions) {
        if (entry.option == Option::Help || entry.option == Option::Version) continue;
        text += std::string(" [") + entry.name +
                (entry.value ? std::string(" ") + entry.value : "") + "]";
    }
    text += "\nDrive a tank over desert hills and fight ten enemy vehicles.\n\n";
    for (const OptionEntry& entry : kOptions) {
        std::string head = std::string("  ") + entry.name;
        if (entry.value) head += std::string(" ") + entry.value;
        const std::string indent(14, ' ');
        // A short option shares its first line with its help.
        text += head.size() < indent.size() - 1
                    ? head + std::string(indent.size() - head.size(), ' ')
                    : head + "\n" + indent;
        for (const char* c = entry.help; *c; ++c)
            text += *c == '\n' ? "\n" + indent : std::string(1, *c);
        text += "\n";
    }
    text +=
        "\n"
        "In play: move the mouse to aim, left button fires a shell, r a guided\n"
        "missile; w/s drive, a/d turn, Space slow motion, p the status report,\n"
        "m mutes, Tab or Pause pauses (so does switching to another window),\n"
        "F12 keeps a screenshot in ~/Pictures/Brakkon, o while paused opens the\n"
        "options panel, Esc quits.\n"
        "\n"
        "With a gamepad: left stick drives and turns, right stick aims, right\n"
        "trigger fires a shell, right shoulder a missile, left shoulder slow\n"
        "motion, X embers, Y mutes, Back the status report, Start pauses; A or\n"
        "Start begins on the menu; Y while paused opens the options panel. More in\n"
        "brakkon(6).\n"
        "\n"
        "Settings (mouse sensitivity, invert aim, key bindings, keys by position,\n"
        "volume, mute, full screen, pad buttons, stick sensitivity, rumble):\n";
    text += (settingsPath.empty() ? std::string("~/.config/brakkon/settings.ini") : settingsPath) +
            ";\n--window wins over its full screen setting.\n";
    return text;
}

int answerLaunchOptions(const LaunchOptions& options, const std::string& settingsPath) {
    switch (options.answer) {
        case LaunchAnswer::Play:
            return 0;
        case LaunchAnswer::Help:
            std::fputs(launchHelp(settingsPath).c_str(), stdout);
            return 0;
        case LaunchAnswer::Version:
            std::printf("brakkon %s\n", gameVersion().c_str());
            return 0;
        case LaunchAnswer::Refuse:
            std::fprintf(stderr, "%s\n", options.refusal.c_str());
            return 2;
    }
    return 0;
}
