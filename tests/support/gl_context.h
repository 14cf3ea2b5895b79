#pragma once
// A real GLUT window for tests that draw. Created once per process; the
// tests read pixels back from its back buffer.
#include <GL/freeglut.h>

// Opens (once) a double-buffered RGB window with depth of the given size and
// makes it current. Returns false when no display is available.
bool ensureGlWindow(int width = 256, int height = 256);

// True when the test command runs the suites: it always provides a display,
// so a window case that cannot run is a failure there, not a skip.
bool windowRequired();

// Skips the current test when no display is available (fails when one is
// required).
#define REQUIRE_GL_WINDOW(...)                              \
    do {                                                    \
        if (!ensureGlWindow(__VA_ARGS__)) {                 \
            if (windowRequired()) FAIL() << "no X display"; \
            GTEST_SKIP() << "no X display";                 \
        }                                                   \
    } while (0)

// Reads one pixel (x from the left, y from the bottom) of the back buffer.
struct PixelRgb {
    unsigned char r, g, b;
};
PixelRgb readPixel(int x, int y);
