#pragma once
// Whether a window manager runs on the display the game opens: one holds the
// redirection of the root window's children. False without a display.
bool windowManagerRunning();
