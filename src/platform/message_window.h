#pragma once
// A message box of the game's own on the X display: a small window with the
// title, the text and an OK button. It has its own connection to the display
// and no owner window, so it shows whatever state the game window is in.
#include <string>

// Shows the box and returns once Return, Esc, a click on OK or the window's
// close button dismissed it. Returns false at once when there is no display.
bool showMessageWindow(const char* title, const std::string& text);
