#pragma once
// While aiming, the pointer is warped back to the window's centre whenever it
// comes within 50 pixels of an edge, so the turret turns on however far the
// mouse moves. In an 800 x 600 window that is beyond 50..750 x 50..550, back
// to (400, 300).

struct WindowPoint {
    int x, y;
};

// The centre of a window of the given size.
WindowPoint warpPoint(int width, int height);
// True when the pointer at (x, y) is close enough to an edge to be warped.
// Windows smaller than 200 pixels keep a quarter of their size as margin,
// so the centre itself never needs a warp; an unknown size never warps.
bool pointerNeedsWarp(int x, int y, int width, int height);
// Moves the pointer there (when there is a GLUT window to move it in).
void warpPointerTo(WindowPoint point);
// Whether a GLUT window is open: the input rules also run in tests without one.
bool haveGameWindow();
