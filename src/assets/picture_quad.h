#pragma once
// Textured quads that show a bound picture upright when y1 is above y2, in
// whatever frame is current (the 2D overlay, or a camera-facing sprite).
// A quad at z = -1, behind a sprite's colour picture at z = 0.
void drawScreenQuad(int x1, int y1, int x2, int y2);
// The same quad at z = 0.
void drawSpriteQuad(int x1, int y1, int x2, int y2);
