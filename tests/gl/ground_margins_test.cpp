// The margins of the fast ground drawing are bounds, not hopes: the horizon
// sees each tile where the float chain of translations really draws it, the
// rasteriser's room grows as the viewport shrinks, and a depth buffer of
// fewer than 24 bits gets the plain drawing order with nothing hidden skipped.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/freeglut.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/level_setup.h"
#include "app/startup.h"
#include "support/gl_context.h"
#include "support/message_capture.h"
#include "support/reference_ground.h"
#include "support/world_scene.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

struct Look {
    Vec3 eye, target;
};

void lookAt(int width, int height, const Look& look) {
    setupGameView(width, height);
    glLoadIdentity();
    gluLookAt(look.eye.x, look.eye.y, look.eye.z, look.target.x, look.target.y, look.target.z, 0, 1,
              0);
}

// Colour and depth of the viewport after drawing the ground one way.
std::vector<unsigned> groundPixels(World& world, ReferenceGround* reference, int width, int height,
                                   const Look& look) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    lookAt(width, height, look);
    if (reference) {
        reference->drawGround();
    } else {
        world.drawGround();
    }
    std::vector<unsigned> pixels(2 * width * height);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                 pixels.data() + width * height);
    return pixels;
}

// Draws the ground both ways and counts the pixels that differ in colour or
// depth; returns the quarter blocks the game skipped.
int expectSameGround(World& world, int width, int height, const Look& look,
                     const std::string& name) {
    ReferenceGround reference(world);
    world.updateTiles(static_cast<int>(look.eye.x), static_cast<int>(look.eye.z));
    const auto expected = groundPixels(world, &reference, width, height, look);
    const auto actual = groundPixels(world, nullptr, width, height, look);
    int differing = 0;
    for (size_t k = 0; k < expected.size(); ++k) differing += expected[k] != actual[k];
    EXPECT_EQ(differing, 0) << name << " at " << width << " x " << height;
    return world.lastSkippedBlocks;
}

void settle(World& world, float x, float z) {
    for (int frame = 0, idle = 0; frame < 400 && idle < 2; ++frame) {
        drawWorldFrame(world, x, 30, z, x, 0, z - 100);
        idle = world.buildBusy ? 0 : idle + 1;
        waitForBuilder(world);
    }
}

Look onGround(World& world, float x, float z, float yaw, float pitch) {
    const Vec3 eye{x, static_cast<float>(world.heightAt(x, z)) + 2, z};
    return {
        eye,
        {eye.x + 100 * std::sin(yaw), eye.y + 100 * std::sin(pitch), eye.z - 100 * std::cos(yaw)}};
}

class GroundMargins : public ::testing::Test {
protected:
    static inline bool built = false;
    static void SetUpTestSuite() {
        if (!ensureGlWindow(kWidth, kHeight)) return;
        ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
        onReshape(kWidth, kHeight);
        setupLight();
        glEnable(GL_DEPTH_TEST);
        MessageCapture capture;
        setupLevel();
        built = true;
    }
    void SetUp() override {
        if (!built) {
            if (windowRequired()) FAIL() << "no X display, or the level set-up stopped";
            GTEST_SKIP() << "no X display";
        }
    }
};

}  // namespace

TEST_F(GroundMargins, TheHorizonSeesEachTileWhereOpenGlDrawsIt) {
    // Near the world's last corner the float chain of translations has run
    // through 400 tiles: GL's own transform of each tile's corners (feedback
    // mode) must land where the origin handed to the horizon says.
    World& w = *world;
    const Look look{{1230, 6, -1180}, {1100, 0, -1260}};
    lookAt(kWidth, kHeight, look);
    w.decideVisibility();
    std::vector<GLfloat> feedback(400 * 16);
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
    ASSERT_GT(values, 0);
    double modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    int point = 0, seen = 0;
    double worst = 0;
    for (GLint k = 0; k < values;) {
        if (feedback[k] == GL_PASS_THROUGH_TOKEN) {
            point = static_cast<int>(feedback[k + 1]), k += 2;
            continue;
        }
        ASSERT_EQ(feedback[k], GL_POINT_TOKEN);
        const double* origin = w.tileOrigins[point / 2];
        const double local = 127.0 * (point % 2);
        double x, y, z;
        gluProject(origin[0] + local, origin[1], origin[2] - local, modelview, projection, viewport,
                   &x, &y, &z);
        worst = std::max({worst, std::fabs(x - feedback[k + 1]), std::fabs(y - feedback[k + 2])});
        ++seen, k += 4;
    }
    EXPECT_GT(seen, 4);
    // Float rounding of GL's own transform only: the exact corners are off by
    // hundredths of a pixel here.
    EXPECT_LT(worst, 2e-3) << "pixels";
}

TEST_F(GroundMargins, TinyViewportsShowTheSamePicture) {
    World& w = *world;
    settle(w, 0, 0);
    int skipped = 0;
    for (const auto& size : {std::pair{96, 72}, std::pair{40, 30}}) {
        for (float yaw = 0; yaw < 6.2f; yaw += 0.9f)
            skipped +=
                expectSameGround(w, size.first, size.second, onGround(w, 25, -40, yaw, -0.02f),
                                 "yaw " + std::to_string(yaw));
        skipped += expectSameGround(w, size.first, size.second, onGround(w, -3, 30, 1.57f, 0),
                                    "across a step");
    }
    EXPECT_GT(skipped, 1000);  // the horizon still skips hidden ground there
}

TEST_F(GroundMargins, ASixteenBitDepthBufferSkipsNothingHiddenAndShowsTheSamePicture) {
    // A framebuffer of 16 depth bits: the sky box and far ground can fall
    // into one depth step, and so can ground and what it hides.
    GLuint framebuffer = 0, colour = 0, depth = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, kWidth, kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    ASSERT_EQ(bits, 16);
    {
        World small(0, 8888);
        settle(small, 10, 10);
        int skipped = 0;
        for (float yaw = 0; yaw < 6.2f; yaw += 1.3f)
            skipped = expectSameGround(small, kWidth, kHeight, onGround(small, 10, 10, yaw, -0.05f),
                                       "yaw " + std::to_string(yaw));
        // Only what lies outside the view is skipped: as many as without the horizon.
        small.skipHidden = false;
        EXPECT_EQ(skipped, expectSameGround(small, kWidth, kHeight,
                                            onGround(small, 10, 10, 5.2f, -0.05f), "no horizon"));
        small.skipHidden = true;
        expectSameGround(small, kWidth, kHeight, {{-1260, 40, 1260}, {1270, 0, -1270}},
                         "across the world");
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    glDeleteFramebuffers(1, &framebuffer);
}
