#pragma once
// Keys and mouse buttons as one kind of number, and their names in the
// settings file.
#include <string>

// One number per key: 1..255 the byte a key types (so 'w' and 'W' differ);
// kSpecialKey plus GLUT's number for keys that type nothing (F1 is 1 to F12
// 12, Left 100, Up 101, Right 102, Down 103); kMouseKey plus the mouse
// button (0 left, 1 middle, 2 right). 0 is no key.
using InputKey = int;
constexpr InputKey kNoKey = 0;
constexpr InputKey kSpecialKey = 256;
constexpr InputKey kMouseKey = 512;

// A key's name: a printable character stands for itself ("w", ";"); then
// "space", "tab", "enter", "backspace", "f1".."f12", "left", "up", "right",
// "down", "mouse_left", "mouse_middle", "mouse_right". Empty for none.
std::string keyName(InputKey key);
// The key of that name, or kNoKey.
InputKey keyNamed(const std::string& name);
