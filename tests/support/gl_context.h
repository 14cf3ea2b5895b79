#pragma once
// A real GLUT window for tests that draw. Created once per process; the
// tests read pixels back from its back buffer.
#include <GL/freeglut.h>

// Opens (once) a double-buffered RGB window with depth of the given size and
// makes it current. Returns false when no display is available.
bool ensureGlWindow(int width = 256, int height = 256);

// Skips the current test when no display is available.
#define REQUIRE_GL_WINDOW(...)                                   \
    do {                                                          \
        if (!ensureGlWindow(__VA_ARGS__)) GTEST_SKIP() << "no X display"; \
    } while (0)

// Reads one pixel (x from the left, y from the bottom) of the back buffer.
struct PixelRgb {
    unsigned char r, g, b;
};
PixelRgb readPixel(int x, int y);
