#include "app/game_view.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {
constexpr double kFieldOfView = 90.0;
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 12000.0;
}  // namespace

void setupLight() {
    glEnable(GL_LIGHTING);
    // w = 0: a directional light, given while the model-view matrix is the
    // identity, so it stays fixed relative to the eye.
    const GLfloat position[] = {-1280.0f, 1000.0f, 1280.0f, 0.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHT0);
}

void applyGameLens(double aspect) { gluPerspective(kFieldOfView, aspect, kNearPlane, kFarPlane); }

void setGameProjection(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    applyGameLens(static_cast<double>(width) / static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
}

void lookFrom(const Vec3& eye, const Vec3& target) {
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0.0, 1.0, 0.0);
}
