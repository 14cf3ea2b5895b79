#pragma once
// Pixel-aligned 2D overlay: x from the left, y down from the top.
void begin2D();
void end2D();
// A textured quad at z = -1, picture upright when y1 is above y2.
void drawScreenQuad(int x1, int y1, int x2, int y2);
// The same quad at z = 0.
void drawSpriteQuad(int x1, int y1, int x2, int y2);
