#include "app/pointer_capture.h"

#include <GL/freeglut.h>

#include <algorithm>

namespace {
constexpr int kMargin = 50;
}

WindowPoint warpPoint(int width, int height) { return {width / 2, height / 2}; }

bool pointerNeedsWarp(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    const int mx = std::min(kMargin, width / 4), my = std::min(kMargin, height / 4);
    return x > width - mx || y > height - my || x < mx || y < my;
}

bool haveGameWindow() { return glutGet(GLUT_INIT_STATE) == 1 && glutGetWindow() != 0; }

void warpPointerTo(WindowPoint point) {
    if (haveGameWindow()) glutWarpPointer(point.x, point.y);
}
