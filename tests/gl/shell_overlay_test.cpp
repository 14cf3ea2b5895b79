// The 2D overlay and the window's projection, drawn into a real window.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/globals.h"
#include "app/overlay2d.h"
#include "app/startup.h"
#include "support/gl_context.h"

namespace {
// A 2 x 2 picture whose upper row is red and lower row blue, stored bottom
// row first as OpenGL (and BMP) keep pictures.
GLuint makeTwoBandTexture() {
    const unsigned char pixels[] = {0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    return name;
}
}  // namespace

TEST(ShellOverlay, ScreenQuadCoversTheWindowUpright) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLuint texture = makeTwoBandTexture();
    begin2D();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor3f(1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    drawScreenQuad(0, 0, windowWidth, windowHeight);
    end2D();
    glDisable(GL_TEXTURE_2D);
    // readPixel counts y from the bottom.
    for (int x : {0, 100, 199}) {
        const PixelRgb top = readPixel(x, 99);
        const PixelRgb bottom = readPixel(x, 0);
        EXPECT_EQ(top.r, 255) << x;
        EXPECT_EQ(top.b, 0) << x;
        EXPECT_EQ(bottom.b, 255) << x;
        EXPECT_EQ(bottom.r, 0) << x;
    }
    glDeleteTextures(1, &texture);
}

TEST(ShellOverlay, End2DLeavesIdentityDepthAndLighting) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 6.0f, 7.0f);
    GLint projectionDepth = 0, afterDepth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    begin2D();
    end2D();
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &afterDepth);
    EXPECT_EQ(projectionDepth, afterDepth);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(ShellOverlay, ReshapeToHeightZeroTakesHeightOne) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(640, 0);
    EXPECT_EQ(windowWidth, 640);
    EXPECT_EQ(windowHeight, 1);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    for (float v : p) EXPECT_TRUE(std::isfinite(v));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    onReshape(200, 100);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    // 90 degrees vertically: the y scale is 1, the x scale 1 / aspect.
    EXPECT_NEAR(p[5], 1.0f, 1e-6);
    EXPECT_NEAR(p[0], 0.5f, 1e-6);
}
