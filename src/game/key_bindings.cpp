#include "game/key_bindings.h"

KeyBindings keyBindings = defaultKeyBindings();

namespace {
constexpr const char* kActionNames[kBoundActionCount] = {
    "forward", "backward",    "turn_left",     "turn_right", "fire_shell", "fire_missile",
    "embers",  "slow_motion", "status_report", "mute",       "pause",      "screenshot"};

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
    b.key[static_cast<int>(BoundAction::Screenshot)] = kSpecialKey + 12;
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
