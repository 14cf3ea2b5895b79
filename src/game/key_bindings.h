#pragma once
// Which key or mouse button stands for which of the player's actions. The
// default table is the game's own key table; the settings file may change it.
#include <string>

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

// One number per key: 1..255 the byte a key types (so 'w' and 'W' differ);
// kSpecialKey plus GLUT's number for keys that type nothing (F1 is 1 to F12
// 12, Left 100, Up 101, Right 102, Down 103); kMouseKey plus the mouse
// button (0 left, 1 middle, 2 right). 0 is no key.
using InputKey = int;
constexpr InputKey kNoKey = 0;
constexpr InputKey kSpecialKey = 256;
constexpr InputKey kMouseKey = 512;

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

// A key's name: a printable character stands for itself ("w", ";"); then
// "space", "tab", "enter", "backspace", "f1".."f12", "left", "up", "right",
// "down", "mouse_left", "mouse_middle", "mouse_right". Empty for none.
std::string keyName(InputKey key);
// The key of that name, or kNoKey.
InputKey keyNamed(const std::string& name);
