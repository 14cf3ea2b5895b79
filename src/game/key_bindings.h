#pragma once
// Which key or mouse button stands for which of the player's actions. The
// default table is the game's own key table; the settings file may change it.
#include <string>

#include "platform/input_keys.h"

enum class BoundAction {
    Forward,
    Backward,
    TurnLeft,
    TurnRight,
    Shell,
    Missile,
    Embers,
    SlowMotion,
    StatusReport,
    Mute,
    Pause,
    Screenshot,
    None  // no action: also the number of actions
};
constexpr int kBoundActionCount = static_cast<int>(BoundAction::None);

struct KeyBindings {
    InputKey key[kBoundActionCount];
};

// w s a d, left button, r g Space p m, Tab, F12.
KeyBindings defaultKeyBindings();
// The bindings in force.
extern KeyBindings keyBindings;

// The action a key stands for (the first in the table's order when two
// share a key), or None.
BoundAction actionForKey(const KeyBindings& bindings, InputKey key);

// The action's name in the settings file ("forward", "fire_shell", ...).
const char* actionName(BoundAction action);
// The action of that name, or None.
BoundAction actionNamed(const std::string& name);
