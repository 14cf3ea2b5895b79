#include "platform/clock.h"

#include <GL/freeglut.h>

namespace {
ClockSource currentSource = nullptr;
}

int elapsedMilliseconds() {
    if (currentSource) return currentSource();
    return glutGet(GLUT_ELAPSED_TIME);
}

void setClockSource(ClockSource source) { currentSource = source; }
