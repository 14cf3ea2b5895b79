#pragma once
// Keys by where they sit: each physical key stands for what a US keyboard
// types there, whatever the layout. XKB names the physical keys ("AD02" is
// the second key of the top letter row, w on a US keyboard, z on AZERTY).
#include "platform/input_keys.h"

// The key a US keyboard has at the XKB key name (4 characters, padded with
// NULs), or kNoKey for keys that stand for nothing here.
InputKey usKeyAtPosition(const char* xkbName);
