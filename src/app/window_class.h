#pragma once
// Names the game window's class "brakkon" (WM_CLASS), so desktops match the
// running window to its menu entry and icon. Call with the game window's
// context current; does nothing without an X display.
void nameWindowClass();
