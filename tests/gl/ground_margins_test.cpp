// The margins of the fast ground drawing are bounds, not hopes: the horizon
// sees each tile where the float chain of translations really draws it, tiny
// viewports still get the plain drawing's picture, and a depth buffer of
// fewer than 24 bits gets it with nothing hidden skipped.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/gl_context.h"
#include "support/reference_ground.h"
#include "support/world_scene.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

// The game's view in a viewport of the given size, from the ground at (x, z).
void lookFrom(World& world, int width, int height, float x, float z, float yaw, float y = 0) {
    setupGameView(width, height);
    const float eyeY = y > 0 ? y : static_cast<float>(world.heightAt(x, z)) + 2;
    gluLookAt(x, eyeY, z, x + 100 * std::sin(yaw), eyeY - 2, z - 100 * std::cos(yaw), 0, 1, 0);
}

// Colour and depth after drawing the ground one way or the other.
std::vector<unsigned> groundPixels(World& world, ReferenceGround* reference, int width, int height,
                                   float x, float z, float yaw, float y) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lookFrom(world, width, height, x, z, yaw, y);
    reference ? reference->drawGround() : world.drawGround();
    std::vector<unsigned> pixels(2 * width * height);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                 pixels.data() + width * height);
    return pixels;
}

// Expects the same colour and depth both ways; returns the blocks skipped.
int expectSameGround(World& world, int width, int height, float x, float z, float yaw,
                     float y = 0) {
    ReferenceGround reference(world);
    world.updateTiles(static_cast<int>(x), static_cast<int>(z));
    const auto expected = groundPixels(world, &reference, width, height, x, z, yaw, y);
    EXPECT_TRUE(expected == groundPixels(world, nullptr, width, height, x, z, yaw, y))
        << width << " x " << height << " from " << x << ", " << z << " toward " << yaw;
    return world.lastSkippedBlocks;
}

void settle(World& world, float x, float z) {
    for (int frame = 0, idle = 0; frame < 400 && idle < 2; ++frame) {
        drawWorldFrame(world, x, 30, z, x, 0, z - 100);
        idle = world.buildBusy ? 0 : idle + 1;
        waitForBuilder(world);
    }
}

class GroundMargins : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_WINDOW(kWidth, kHeight);
        enterAssetDir();
    }
};

}  // namespace

TEST_F(GroundMargins, TheHorizonSeesEachTileWhereOpenGlDrawsIt) {
    // Near the world's last corner the float chain of translations has run
    // through 400 tiles: GL's own transform of each tile's corners (feedback
    // mode) must land where the origin handed to the horizon says. The exact
    // corners are off by hundredths of a pixel there.
    World w(1, 8888);
    lookFrom(w, kWidth, kHeight, 1230, -1180, 5.26f, 6);
    w.decideVisibility();
    std::vector<GLfloat> feedback(400 * 12);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
    glRenderMode(GL_FEEDBACK);
    glPushMatrix();
    glTranslatef(-1270.0f, 0.0f, 1270.0f);
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            for (int corner = 0; corner < 2; ++corner) {
                glPassThrough(static_cast<GLfloat>(2 * (i * kWorldTiles + j) + corner));
                glBegin(GL_POINTS);
                glVertex3f(127.0f * corner, 0.0f, -127.0f * corner);
                glEnd();
            }
            glTranslatef(0.0f, 0.0f, -127.0f);
        }
        glTranslatef(127.0f, 0.0f, 2540.0f);
    }
    glPopMatrix();
    const GLint values = glRenderMode(GL_RENDER);
    double modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    int point = 0, seen = 0;
    double worst = 0;
    for (GLint k = 0; k < values; k += 2) {
        if (feedback[k] == GL_PASS_THROUGH_TOKEN) {
            point = static_cast<int>(feedback[k + 1]);
            continue;
        }
        ASSERT_EQ(feedback[k], GL_POINT_TOKEN);
        const double* origin = w.tileOrigins[point / 2];
        const double local = 127.0 * (point % 2);
        double x, y, z;
        gluProject(origin[0] + local, origin[1], origin[2] - local, modelview, projection, viewport,
                   &x, &y, &z);
        worst = std::max({worst, std::fabs(x - feedback[k + 1]), std::fabs(y - feedback[k + 2])});
        ++seen, k += 2;
    }
    EXPECT_GT(seen, 4);
    EXPECT_LT(worst, 2e-3) << "pixels";
}

TEST_F(GroundMargins, TinyViewportsShowThePlainPicture) {
    World w(0, 8888);
    settle(w, 10, 10);
    int skipped = 0;
    for (const auto& [width, height] : {std::pair{96, 72}, std::pair{40, 30}})
        for (float yaw = 0; yaw < 6.2f; yaw += 0.9f)
            skipped += expectSameGround(w, width, height, 10, 10, yaw);
    EXPECT_GT(skipped, 1000);  // the horizon still skips hidden ground there
}

TEST_F(GroundMargins, ASixteenBitDepthBufferSkipsNothingHiddenAndShowsThePlainPicture) {
    // The sky box and far ground can fall into one step of 16 depth bits,
    // and so can ground and what it hides.
    GLuint framebuffer = 0, buffers[2] = {};
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(2, buffers);
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT16};
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    for (int k = 0; k < 2; ++k) {
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[k]);
        glRenderbufferStorage(GL_RENDERBUFFER, formats[k], kWidth, kHeight);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[k], GL_RENDERBUFFER, buffers[k]);
    }
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    EXPECT_EQ(bits, 16);
    {
        World w(0, 8888);
        settle(w, 10, 10);
        const int skipped = expectSameGround(w, kWidth, kHeight, 10, 10, 5.2f);
        w.skipHidden = false;  // only what lies outside the view is skipped
        EXPECT_EQ(skipped, expectSameGround(w, kWidth, kHeight, 10, 10, 5.2f));
        w.skipHidden = true;
        expectSameGround(w, kWidth, kHeight, -1260, 1260, 0.785f, 40);  // across the world
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
}
