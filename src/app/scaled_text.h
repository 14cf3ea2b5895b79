#pragma once
// Text in the 8 x 13 bitmap font drawn a whole number of times larger:
// exactly the picture the font gives at size 1, each pixel a square of
// scale x scale pixels. The glyphs are read back once from what the font
// draws, so they are the font's own.

// Draws `text` with the raster position at (x, y) of the current frame, in
// the current raster colour; a line feed moves down 13 * scale and back to
// x = 0, as the status report does. y counts as the current projection says.
void drawScaledText(const char* text, int x, int y, int scale);
