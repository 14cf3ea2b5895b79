#include "game/solid_cube.h"

#include <GL/freeglut.h>

#include "assets/model_drawing.h"

namespace {
// Props (scaled from a unit cube), enemies and embers.
constexpr double kSizes[] = {1.0, 4.0, 0.3};
constexpr int kSizeCount = sizeof kSizes / sizeof kSizes[0];
unsigned int cubeLists[kSizeCount] = {};
}  // namespace

void compileSolidCubes() {
    if (cubeLists[0] != 0) return;
    const unsigned int base = glGenLists(kSizeCount);
    if (base == 0) return;
    for (int i = 0; i < kSizeCount; ++i) {
        cubeLists[i] = base + i;
        glNewList(cubeLists[i], GL_COMPILE);
        glutSolidCube(kSizes[i]);
        glEndList();
    }
}

void drawSolidCube(double size) {
    for (int i = 0; i < kSizeCount; ++i) {
        if (kSizes[i] == size && cubeLists[i] != 0 && !drawModelsImmediately) {
            glCallList(cubeLists[i]);
            return;
        }
    }
    glutSolidCube(size);
}
