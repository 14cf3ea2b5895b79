#pragma once
// The HUD of the game frame and the status report.

// Crosshair, counters and their labels, drawn over the game frame.
void drawHud();
// Fills statusText with the counters and frames per second.
void formatStatusReport();
// Draws statusText in green bitmap text, line by line from (x, y).
void drawStatusText(int x, int y);
