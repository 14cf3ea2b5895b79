#pragma once
// A message box of the game's own on the X display: a small window with the
// title, the text and an OK button. It has its own connection to the display
// and no owner window, so it shows whatever state the game window is in.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Shows the box and returns once Return, Esc, a click on OK or the window's
// close button dismissed it. Returns false at once when there is no display.
bool showMessageWindow(const char* title, const std::string& text);

// The lines the box shows: the text cut at its line feeds, and each line
// broken at spaces so that no line is wider than `maxWidth` as measured by
// `width`. A word wider than that on its own keeps a line of its own.
std::vector<std::string> wrapMessageLines(const std::string& text, int maxWidth,
                                          const std::function<int(const std::string&)>& width);
