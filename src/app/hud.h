#pragma once
// The crosshair and counters of the game frame, and the green status report.

#include <array>

// The four digits a counter shows: ones, tens, hundreds, thousands.
std::array<int, 4> counterDigits(int value);

// Crosshair at the window centre and four counter rows in the lower right.
void drawHud();
// Fills statusText with the counters and the frame rate.
void formatStatusReport();
// Draws statusText in 8 x 13 bitmap text from (x, y), y counting down from
// 13 pixels below the top edge.
void drawStatusText(int x, int y);
