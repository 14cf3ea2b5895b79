#include "game/key_bindings.h"

#include <cstring>

KeyBindings keyBindings = defaultKeyBindings();

namespace {
constexpr const char* kActionNames[kBoundActionCount] = {
    "forward", "backward",    "turn_left",     "turn_right", "fire_shell", "fire_missile",
    "embers",  "slow_motion", "status_report", "mute",       "pause",      "screenshot"};

struct NamedKey {
    const char* name;
    InputKey key;
};
constexpr NamedKey kNamedKeys[] = {
    {"space", ' '},
    {"tab", '\t'},
    {"enter", '\r'},
    {"backspace", 8},
    {"left", kSpecialKey + 100},
    {"up", kSpecialKey + 101},
    {"right", kSpecialKey + 102},
    {"down", kSpecialKey + 103},
    {"mouse_left", kMouseKey + 0},
    {"mouse_middle", kMouseKey + 1},
    {"mouse_right", kMouseKey + 2},
};
constexpr int kFunctionKeys = 12;
}  // namespace

KeyBindings defaultKeyBindings() {
    KeyBindings b{};
    b.key[static_cast<int>(BoundAction::Forward)] = 'w';
    b.key[static_cast<int>(BoundAction::Backward)] = 's';
    b.key[static_cast<int>(BoundAction::TurnLeft)] = 'a';
    b.key[static_cast<int>(BoundAction::TurnRight)] = 'd';
    b.key[static_cast<int>(BoundAction::Shell)] = kMouseKey + 0;
    b.key[static_cast<int>(BoundAction::Missile)] = 'r';
    b.key[static_cast<int>(BoundAction::Embers)] = 'g';
    b.key[static_cast<int>(BoundAction::SlowMotion)] = ' ';
    b.key[static_cast<int>(BoundAction::StatusReport)] = 'p';
    b.key[static_cast<int>(BoundAction::Mute)] = 'm';
    b.key[static_cast<int>(BoundAction::Pause)] = '\t';
    b.key[static_cast<int>(BoundAction::Screenshot)] = kSpecialKey + kFunctionKeys;
    return b;
}

BoundAction actionForKey(const KeyBindings& bindings, InputKey key) {
    if (key == kNoKey) return BoundAction::None;
    for (int i = 0; i < kBoundActionCount; ++i) {
        if (bindings.key[i] == key) return static_cast<BoundAction>(i);
    }
    return BoundAction::None;
}

const char* actionName(BoundAction action) {
    const int i = static_cast<int>(action);
    return i >= 0 && i < kBoundActionCount ? kActionNames[i] : "";
}

BoundAction actionNamed(const std::string& name) {
    for (int i = 0; i < kBoundActionCount; ++i) {
        if (name == kActionNames[i]) return static_cast<BoundAction>(i);
    }
    return BoundAction::None;
}

std::string keyName(InputKey key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    if (key > ' ' && key < 127) return std::string(1, static_cast<char>(key));
    if (key > kSpecialKey && key <= kSpecialKey + kFunctionKeys)
        return "f" + std::to_string(key - kSpecialKey);
    return "";
}

InputKey keyNamed(const std::string& name) {
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) return named.key;
    }
    if (name.size() == 1 && name[0] > ' ' && name[0] < 127) return name[0];
    for (int f = 1; f <= kFunctionKeys; ++f) {
        if (name == "f" + std::to_string(f)) return kSpecialKey + f;
    }
    return kNoKey;
}
