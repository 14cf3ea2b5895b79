#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/effect_pictures.h"
#include "game/hit_test.h"
#include "game/match_tick.h"
#include "support/combat_fixture.h"
#include "support/gl_context.h"
#include "support/solid_texture.h"

namespace {

constexpr int kSize = 256;
constexpr int kCentre = kSize / 2;

bool near(const PixelRgb& p, int r, int g, int b) {
    return std::abs(p.r - r) <= 2 && std::abs(p.g - g) <= 2 && std::abs(p.b - b) <= 2;
}

::testing::AssertionResult pixelIs(int x, int y, int r, int g, int b) {
    const PixelRgb p = readPixel(x, y);
    if (near(p, r, g, b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << int(p.r)
                                         << " " << int(p.g) << " " << int(p.b);
}

// A grey scene seen from `eye` on the +z axis, looking at the origin, lit and
// depth-tested as the game frame is.
class CombatSprites : public ::testing::Test {
protected:
    void look(float distance) {
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 0.1, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0.0, 0.0, distance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        CameraState.eye = Vec3{0.0f, 0.0f, distance};
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
    CombatState state;
};

// Burst frame k (1..8) is drawn in blue 30 * k; the masks are black.
void prepareBurstPictures() {
    for (int frame = 0; frame < 8; ++frame) {
        makeSolidTexture(burstMasks[frame], 0, 0, 0);
        makeSolidTexture(burstPictures[frame], 255, 255,
                         static_cast<unsigned char>(30 * (frame + 1)));
    }
}

}  // namespace

TEST_F(CombatSprites, BurstShowsTheFrameOfItsLifeInItsTint) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    REQUIRE_TEXTURE_BINDING();
    prepareBurstPictures();
    look(40.0f);  // the 20 x 20 sprite spans 64 pixels in the middle

    Explosion white(Vec3{}, 20);
    white.draw();
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 255, 255, 30));
    EXPECT_TRUE(pixelIs(10, 10, 128, 128, 128));  // the scene around it stays
    EXPECT_TRUE(pixelIs(kCentre + 28, kCentre, 255, 255, 30));
    EXPECT_TRUE(pixelIs(kCentre + 36, kCentre, 128, 128, 128));

    look(40.0f);
    Explosion green(Vec3{}, 21);
    green.life = 32.0f;  // frame 2
    green.draw();
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 0, 255, 0));

    look(40.0f);
    Explosion orange(Vec3{}, 22);
    orange.life = 4.0f;  // frame 8
    orange.draw();
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 255, 153, 0));

    look(40.0f);
    white.life = 12.0f;  // frame 6
    white.draw();
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 255, 255, 180));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(CombatSprites, BurstFacesTheCameraFromAnySide) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    REQUIRE_TEXTURE_BINDING();
    prepareBurstPictures();
    look(40.0f);
    // Seen from +x above: the sprite turns toward the eye.
    glLoadIdentity();
    gluLookAt(30.0, 20.0, 10.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    CameraState.eye = Vec3{30.0f, 20.0f, 10.0f};
    Explosion burst(Vec3{}, 20);
    burst.draw();
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 255, 255, 30));
    EXPECT_TRUE(pixelIs(kCentre + 25, kCentre, 255, 255, 30));
    EXPECT_TRUE(pixelIs(kCentre, kCentre + 25, 255, 255, 30));
}

TEST_F(CombatSprites, PlasmaBallGlowsOverTheSceneWhateverItsSpin) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    REQUIRE_TEXTURE_BINDING();
    makeSolidTexture(plasmaMask, 0, 0, 0);
    makeSolidTexture(plasmaPicture, 60, 120, 250);
    now = 12345.0f;
    for (int divisor : {0, 1, 7}) {
        look(4.0f);  // the 2 x 2 ball spans the middle quarter
        Projectile shell(0.0f, 0.0f, Vec3{}, HitKind::PlayerShell, 5);
        shell.spinDivisor = divisor;
        shell.draw();
        EXPECT_TRUE(pixelIs(kCentre, kCentre, 60, 120, 250)) << "divisor " << divisor;
        EXPECT_TRUE(pixelIs(5, 5, 128, 128, 128));
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_FLOAT_EQ(colour[1], 1.0f);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
}

TEST_F(CombatSprites, EmberIsAPlainWhiteCube) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    look(1.0f);
    TextureLoader tinted;
    makeSolidTexture(tinted, 0, 0, 255);
    glEnable(GL_TEXTURE_2D);
    Explosion ember(Vec3{}, 23);
    ember.draw();
    // Edge 0.3 seen from 1 unit (its near face at 0.85): about 45 pixels across.
    EXPECT_TRUE(pixelIs(kCentre, kCentre, 255, 255, 255));
    EXPECT_TRUE(pixelIs(kCentre + 30, kCentre, 128, 128, 128));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(CombatSprites, EnemyPickShapeCarriesItsSlotName) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    look(20.0f);
    state.addEnemy(3, EnemyKind::Tank, Vec3{0.0f, 0.0f, 0.0f});
    state.addEnemy(5, EnemyKind::Heavy, Vec3{15.0f, 0.0f, 0.0f});
    GLuint buffer[64] = {};
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(kCentre, kCentre, 2.0, 2.0, viewport);
    gluPerspective(90.0, 1.0, 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glInitNames();
    enemies[3]->drawPick();
    enemies[5]->drawPick();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    ASSERT_EQ(hits, 1);
    EXPECT_EQ(buffer[0], 1u);   // one name
    EXPECT_EQ(buffer[3], 13u);  // slot 3
}

TEST_F(CombatSprites, TankTracksRollOneFramePerTickAndTheLightComesBack) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    look(10.0f);
    PlayerTank& tank = *player;
    GLint depth = 0, after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    // Each tick rolls the tracks; a picture shows the frame before the roll
    // and changes nothing, however many are drawn.
    MatchCommand command;
    command.alreadyApplied = true;
    tank.driveInput = 1;
    const int forward[] = {1, 2, 3, 4, 0, 1};
    for (int expected : forward) {
        tank.draw(true);
        tank.draw(true);
        const int shown = tank.trackFrame;
        tickMatch(theMatch, command);
        EXPECT_EQ(tank.trackFrame, expected);
        EXPECT_EQ(tank.trackFrameShown, shown);
    }
    tank.driveInput = 2;
    const int backward[] = {0, 4, 3};
    for (int expected : backward) {
        tank.draw(false);
        tickMatch(theMatch, command);
        EXPECT_EQ(tank.trackFrame, expected);
    }
    tank.driveInput = 0;
    tickMatch(theMatch, command);
    EXPECT_EQ(tank.trackFrame, 3);
    tank.draw(true);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, depth);
    GLfloat diffuse[4], specular[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(diffuse[i], 1.0f);
        EXPECT_FLOAT_EQ(specular[i], 1.0f);
    }
}
