#include "settings/settings.h"

#include <ini.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "platform/input_keys.h"
#include "platform/pad_controls.h"
#include "settings/ini_lines.h"

bool Settings::operator==(const Settings& o) const {
    return mouseSensitivity == o.mouseSensitivity && invertAim == o.invertAim &&
           keysByPosition == o.keysByPosition && keys == o.keys && volume == o.volume &&
           muted == o.muted && fullscreen == o.fullscreen && keepPace == o.keepPace &&
           renderScale == o.renderScale && padButtons == o.padButtons &&
           stickSensitivity == o.stickSensitivity && rumble == o.rumble &&
           replaysKept == o.replaysKept;
}

namespace {
constexpr const char* kKeyPrefix = "key_";
constexpr const char* kButtonPrefix = "button_";

struct TextCursor {
    const std::string& text;
    std::size_t at = 0;
    int line = 0;
    SettingsRead& read;
};

// Hands the reader one whole line per call, so `line` is the line of the
// value it reports next. A line too long for the reader is given as empty.
char* nextLine(char* str, int num, void* stream) {
    auto& c = *static_cast<TextCursor*>(stream);
    if (c.at >= c.text.size()) return nullptr;
    auto end = c.text.find('\n', c.at);
    if (end == std::string::npos) end = c.text.size();
    // The length is the line's without a "\r\n" ending, as a save counts it.
    std::size_t length = end - c.at;
    if (end < c.text.size() && length > 0 && c.text[end - 1] == '\r') --length;
    ++c.line;
    const bool nul = std::memchr(c.text.data() + c.at, '\0', length) != nullptr;
    if (length > kLongestIniLine || length + 2 > static_cast<std::size_t>(num) || nul) {
        str[0] = '\0';
    } else {
        std::memcpy(str, c.text.data() + c.at, length);
        str[length] = '\0';
    }
    c.at = end + 1;
    return str;
}

bool readBool(const std::string& v, bool& out) {
    std::string s;
    for (char ch : v) s += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    if (s == "true" || s == "yes" || s == "on" || s == "1") {
        out = true;
        return true;
    }
    if (s == "false" || s == "no" || s == "off" || s == "0") {
        out = false;
        return true;
    }
    return false;
}

bool readNumber(const std::string& v, double& out) {
    if (v.empty()) return false;
    char* end = nullptr;
    const double d = std::strtod(v.c_str(), &end);
    if (*end != '\0' || !std::isfinite(d)) return false;
    out = d;
    return true;
}

// The shortest text that reads back as exactly d: 1.25 stays "1.25", and a
// hand-written 2.577777 is not cut to 2.57778.
std::string number(double d) {
    char text[32];
    for (int digits = 6; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, d);
        if (std::strtod(text, nullptr) == d) break;
    }
    return text;
}

std::string yesNo(bool b) { return b ? "true" : "false"; }

// One pair of double quotes around a value is not part of it, so that a
// key such as ";" can be written.
std::string unquoted(const std::string& v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
    return v;
}

// The value as written: in quotes where it would read as something else
// (" ;" starts a comment).
std::string quotedIfNeeded(const std::string& v) {
    if (v.find(';') == std::string::npos && unquoted(v) == v) return v;
    return '"' + v + '"';
}

void bad(TextCursor& c, const char* name, const char* value, const std::string& expected,
         const std::string& used) {
    c.read.problems.push_back({c.line, std::string(name) + " = \"" + value + "\" is not " +
                                           expected + "; using " + used});
}

void readBoolSetting(TextCursor& c, const char* name, const char* value, bool& field) {
    if (!readBool(value, field)) bad(c, name, value, "true or false", yesNo(field));
}

int onValue(void* user, const char* section, const char* name, const char* given) {
    auto& c = *static_cast<TextCursor*>(user);
    const std::string bare = unquoted(given);
    const char* value = bare.c_str();
    Settings& s = c.read.settings;
    const std::string sec = section, key = name;
    if (key.size() > kLongestIniName) return 1;
    double d = 0.0;
    if (sec == "controls") {
        if (key == "mouse_sensitivity") {
            if (readNumber(value, d) && d >= kMinMouseSensitivity && d <= kMaxMouseSensitivity)
                s.mouseSensitivity = d;
            else
                bad(c, name, value, "a number from 0.1 to 10", number(s.mouseSensitivity));
        } else if (key == "invert_aim") {
            readBoolSetting(c, name, value, s.invertAim);
        } else if (key == "keys_by_position") {
            readBoolSetting(c, name, value, s.keysByPosition);
        } else if (key.compare(0, std::strlen(kKeyPrefix), kKeyPrefix) == 0) {
            const std::string action = key.substr(std::strlen(kKeyPrefix));
            if (keyNamed(value) != kNoKey)
                s.keys[action] = value;
            else
                bad(c, name, value, "a key name", "the game's own key");
        }
    } else if (sec == "sound") {
        if (key == "volume") {
            if (readNumber(value, d) && d >= 0.0 && d <= 100.0 && d == std::floor(d))
                s.volume = static_cast<int>(d);
            else
                bad(c, name, value, "a whole number from 0 to 100", std::to_string(s.volume));
        } else if (key == "muted") {
            readBoolSetting(c, name, value, s.muted);
        }
    } else if (sec == "gamepad") {
        PadControl control;
        if (key == "stick_sensitivity") {
            if (readNumber(value, d) && d >= kMinMouseSensitivity && d <= kMaxMouseSensitivity)
                s.stickSensitivity = d;
            else
                bad(c, name, value, "a number from 0.1 to 10", number(s.stickSensitivity));
        } else if (key == "rumble") {
            readBoolSetting(c, name, value, s.rumble);
        } else if (key.compare(0, std::strlen(kButtonPrefix), kButtonPrefix) == 0) {
            if (padControlFromName(value, control))
                s.padButtons[key.substr(std::strlen(kButtonPrefix))] = value;
            else
                bad(c, name, value, "a pad control name", "the game's own button");
        }
    } else if (sec == "replays") {
        if (key == "keep") {
            if (readNumber(value, d) && d >= 0.0 && d <= kMostReplaysKept && d == std::floor(d))
                s.replaysKept = static_cast<int>(d);
            else
                bad(c, name, value, "a whole number from 0 to 1000", std::to_string(s.replaysKept));
        }
    } else if (sec == "display") {
        if (key == "fullscreen") {
            readBoolSetting(c, name, value, s.fullscreen);
        } else if (key == "keep_pace") {
            readBoolSetting(c, name, value, s.keepPace);
        } else if (key == "render_scale") {
            if (readNumber(value, d) && (d == 1.0 || d == 0.75 || d == 0.5))
                s.renderScale = d;
            else
                bad(c, name, value, "1, 0.75 or 0.5", number(s.renderScale));
        }
    }
    return 1;
}

// Whether a value in the file means what the settings would write.
bool sameValue(const std::string& quotedSaid, const std::string& quotedValue) {
    const std::string said = unquoted(quotedSaid), value = unquoted(quotedValue);
    double a = 0.0, b = 0.0;
    if (readNumber(said, a) && readNumber(value, b)) return a == b;
    bool p = false, q = false;
    if (readBool(said, p) && readBool(value, q)) return p == q;
    return said == value;
}

struct Entry {
    const char* section;
    std::string name, value, defaultValue;
};

std::vector<Entry> entriesOf(const Settings& s) {
    const Settings d;
    std::vector<Entry> e = {
        {"controls", "mouse_sensitivity", number(s.mouseSensitivity), number(d.mouseSensitivity)},
        {"controls", "invert_aim", yesNo(s.invertAim), yesNo(d.invertAim)},
        {"controls", "keys_by_position", yesNo(s.keysByPosition), yesNo(d.keysByPosition)},
        {"sound", "volume", std::to_string(s.volume), std::to_string(d.volume)},
        {"sound", "muted", yesNo(s.muted), yesNo(d.muted)},
        {"display", "fullscreen", yesNo(s.fullscreen), yesNo(d.fullscreen)},
        {"display", "keep_pace", yesNo(s.keepPace), yesNo(d.keepPace)},
        {"display", "render_scale", number(s.renderScale), number(d.renderScale)},
    };
    for (const auto& [action, key] : s.keys)
        e.push_back({"controls", kKeyPrefix + action, key, ""});
    e.push_back(
        {"gamepad", "stick_sensitivity", number(s.stickSensitivity), number(d.stickSensitivity)});
    e.push_back({"gamepad", "rumble", yesNo(s.rumble), yesNo(d.rumble)});
    for (const auto& [action, control] : s.padButtons)
        e.push_back({"gamepad", kButtonPrefix + action, control, ""});
    e.push_back({"replays", "keep", std::to_string(s.replaysKept), std::to_string(d.replaysKept)});
    return e;
}
}  // namespace

SettingsRead readSettingsText(const std::string& given) {
    std::string text = given;
    if (carriageReturnLines(text)) std::replace(text.begin(), text.end(), '\r', '\n');
    SettingsRead read;
    TextCursor cursor{text, 0, 0, read};
    ini_parse_stream(nextLine, &cursor, onValue, &cursor);
    const std::vector<IniLine> lines = classifyLines(splitLines(text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != IniLine::Broken) continue;
        const int n = static_cast<int>(i) + 1;
        read.brokenLines.push_back(n);
        read.problems.push_back(
            {n, "the line is neither [section] nor name = value, or is too long; it is ignored"});
    }
    std::stable_sort(
        read.problems.begin(), read.problems.end(),
        [](const SettingsProblem& a, const SettingsProblem& b) { return a.line < b.line; });
    return read;
}

std::string writeSettingsText(const std::string& text, const Settings& settings) {
    // Lines ended by a lone carriage return are written back so.
    if (carriageReturnLines(text)) {
        std::string lines = text;
        std::replace(lines.begin(), lines.end(), '\r', '\n');
        std::string out = writeSettingsText(lines, settings);
        std::replace(out.begin(), out.end(), '\n', '\r');
        return out;
    }
    // Lines the reader could not use are kept, but as comments (once: a
    // comment is one at any length).
    std::vector<int> broken;
    const std::vector<IniLine> kinds = classifyLines(splitLines(text));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].kind == IniLine::Broken) broken.push_back(static_cast<int>(i) + 1);
    }
    // What the text says now, value by value.
    std::map<std::pair<std::string, std::string>, std::string> said;
    for (const IniLine& line : kinds) {
        if (line.kind == IniLine::Value) said[{line.section, line.name}] = line.value;
    }
    // A value the reader had a problem with, on its own line or on one of
    // its continuation lines, is written afresh, so the file reads cleanly.
    std::set<int> problemLines;
    for (const SettingsProblem& p : readSettingsText(text).problems) problemLines.insert(p.line);
    std::set<std::pair<std::string, std::string>> rewrite;
    const IniLine* owner = nullptr;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].kind == IniLine::Value) owner = &kinds[i];
        if (kinds[i].kind == IniLine::Section) owner = nullptr;
        const bool ofValue =
            kinds[i].kind == IniLine::Value || kinds[i].kind == IniLine::Continuation;
        if (owner && ofValue && problemLines.count(static_cast<int>(i) + 1))
            rewrite.insert({owner->section, owner->name});
    }
    std::string out = commentOutLines(text, broken);
    for (const Entry& e : entriesOf(settings)) {
        const auto it = said.find({e.section, e.name});
        const bool differs =
            rewrite.count({e.section, e.name}) ||
            (it == said.end() ? e.value != e.defaultValue : !sameValue(it->second, e.value));
        if (differs) out = setIniValue(out, e.section, e.name, quotedIfNeeded(e.value));
    }
    // A binding no longer set goes back to the game's own key or button.
    const auto unset = [](const std::string& name, const char* prefix,
                          const std::map<std::string, std::string>& bound) {
        const std::size_t n = std::strlen(prefix);
        return name.compare(0, n, prefix) == 0 && bound.count(name.substr(n)) == 0;
    };
    for (const auto& [place, value] : said) {
        const auto& [section, name] = place;
        if ((section == "controls" && unset(name, kKeyPrefix, settings.keys)) ||
            (section == "gamepad" && unset(name, kButtonPrefix, settings.padButtons)))
            out = removeIniValue(out, section, name);
    }
    // Removing the last line can take the text's only newline with it; the
    // lone carriage returns left would then read as line ends.
    if (text.find('\n') != std::string::npos && out.find('\n') == std::string::npos &&
        out.find('\r') != std::string::npos)
        out += '\n';
    return out;
}
