#include "assets/picture_quad.h"

#include <GL/gl.h>

namespace {
// Texture v runs upward in the pictures while overlay y runs downward, hence
// the flipped v against y.
void texturedQuad(int x1, int y1, int x2, int y2, float z) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y1), z);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y2), z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(static_cast<float>(x2), static_cast<float>(y2), z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(static_cast<float>(x2), static_cast<float>(y1), z);
    glEnd();
}
}  // namespace

void drawScreenQuad(int x1, int y1, int x2, int y2) { texturedQuad(x1, y1, x2, y2, -1.0f); }

void drawSpriteQuad(int x1, int y1, int x2, int y2) { texturedQuad(x1, y1, x2, y2, 0.0f); }
