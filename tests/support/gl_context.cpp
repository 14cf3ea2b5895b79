#include "support/gl_context.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {
int windowId = 0;
}

bool ensureGlWindow(int width, int height) {
    if (windowId != 0) {
        glutSetWindow(windowId);
        if (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
            glutReshapeWindow(width, height);
            // Wait until the window system has applied the new size; a loaded
            // X server may take many round trips.
            while (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height) {
                glutMainLoopEvent();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        glViewport(0, 0, width, height);
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    int argc = 1;
    char name[] = "brakkon-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(width, height);
    windowId = glutCreateWindow("brakkon test");
    glutDisplayFunc([] {});
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();
    glViewport(0, 0, width, height);
    glReadBuffer(GL_BACK);
    return true;
}

bool windowRequired() {
    const char* required = std::getenv("BRAKKON_WINDOW_REQUIRED");
    return required && *required && std::string(required) != "0";
}

PixelRgb readPixel(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}
