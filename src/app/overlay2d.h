#pragma once
// Pixel-aligned 2D overlay: x from the left, y down from the top.
#include "assets/picture_quad.h"

void begin2D();
void end2D();
// A band of the window's width, darkened, from y1 to y2, then white for the
// text over it (the pause notice's look).
void drawNoticeBand(int width, int y1, int y2);
