// The pre-game screens driven frame by frame and tick by tick in a real
// window, with the level set-up replaced by a counter.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/overlay2d.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "assets/picture_quad.h"
#include "support/gl_context.h"
#include "support/shell_fixture.h"

namespace {
int setupRuns = 0;
void countSetup() { ++setupRuns; }

// The window's picture after a frame was shown, as (x, y from the top). The
// swap copies the back buffer out and keeps it, once a frame after a resize
// has settled its size.
struct ShownFrame {
    int width, height;
    std::vector<PixelRgb> pixels;
    ShownFrame(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    PixelRgb at(int x, int y) const { return pixels[(height - 1 - y) * width + x]; }
};
int colourGap(const PixelRgb& a, const PixelRgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

class ScreenFlowGl : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        setupRuns = 0;
        playStarted = false;
        levelSetupRoutine = countSetup;
    }
    void TearDown() override {
        ShellTest::TearDown();
        playStarted = false;
        glutSetCursor(GLUT_CURSOR_INHERIT);
        glutDisplayFunc([] {});
        glutIdleFunc(nullptr);
        glutKeyboardFunc(nullptr);
        glutKeyboardUpFunc(nullptr);
        glutMouseFunc(nullptr);
        glutPassiveMotionFunc(nullptr);
    }
    // One accepted idle tick: the clock moves past the 16 ms gate.
    void acceptedTick() {
        fakeClockMs() += 17;
        shellIdle();
    }
};
}  // namespace

TEST_F(ScreenFlowGl, IntroShowsSixtyOneFramesThenTheMenu) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    for (int frame = 1; frame <= 60; ++frame) {
        displayScreen();
        EXPECT_EQ(screenState, ScreenState::Intro) << frame;
    }
    displayScreen();
    EXPECT_EQ(screenState, ScreenState::Menu);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // Menu frames change nothing by themselves.
    for (int frame = 0; frame < 5; ++frame) displayScreen();
    EXPECT_EQ(screenState, ScreenState::Menu);
}

TEST_F(ScreenFlowGl, IdleIsGatedToSixteenMilliseconds) {
    REQUIRE_GL_WINDOW(200, 100);
    screenState = ScreenState::Loading;
    fakeClockMs() = 16;
    shellIdle();
    EXPECT_EQ(gameSwitchTicks, 120);
    EXPECT_EQ(GameStats.tickCount, 0);
    fakeClockMs() = 17;
    shellIdle();
    EXPECT_EQ(gameSwitchTicks, 119);
    EXPECT_EQ(GameStats.tickCount, 1);
    EXPECT_EQ(lastTick, 17.0f);
    // Ticks before loading do not count down.
    screenState = ScreenState::Menu;
    acceptedTick();
    EXPECT_EQ(gameSwitchTicks, 119);
}

TEST_F(ScreenFlowGl, SetUpRunsOnceInTheSecondLoadingFrame) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    screenState = ScreenState::Loading;
    displayScreen();
    EXPECT_EQ(setupRuns, 0);
    EXPECT_FALSE(levelReady);
    displayScreen();
    EXPECT_EQ(setupRuns, 1);
    EXPECT_TRUE(levelReady);
    for (int frame = 0; frame < 10; ++frame) displayScreen();
    EXPECT_EQ(setupRuns, 1);
    EXPECT_EQ(loadingFrames, -1);
}

TEST_F(ScreenFlowGl, PlayBeginsOnTheHundredTwentyFirstTick) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    screenState = ScreenState::Loading;
    displayScreen();
    displayScreen();
    ASSERT_TRUE(levelReady);
    for (int tick = 1; tick <= 120; ++tick) {
        acceptedTick();
        ASSERT_FALSE(playStarted) << tick;
    }
    acceptedTick();
    EXPECT_TRUE(playStarted);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(ScreenFlowGl, PlayWaitsForTheSetUpWhenTheCountdownRunsOutFirst) {
    REQUIRE_GL_WINDOW(200, 100);
    onReshape(200, 100);
    screenState = ScreenState::Loading;
    for (int tick = 0; tick < 130; ++tick) acceptedTick();
    EXPECT_FALSE(playStarted);
    displayScreen();
    acceptedTick();
    EXPECT_FALSE(playStarted);
    displayScreen();  // the second loading frame builds the level
    EXPECT_EQ(setupRuns, 1);
    acceptedTick();
    EXPECT_TRUE(playStarted);
}

TEST_F(ScreenFlowGl, UnknownScreenStateDrawsNothing) {
    REQUIRE_GL_WINDOW(200, 100);
    screenState = static_cast<ScreenState>(7);
    displayScreen();
    EXPECT_EQ(introFrames, 60);
    EXPECT_EQ(loadingFrames, 1);
    EXPECT_EQ(setupRuns, 0);
}

TEST_F(ScreenFlowGl, AtFourThirdsTheMenuIsExactlyThePictureOverTheWholeWindow) {
    REQUIRE_GL_WINDOW(1024, 768);
    onReshape(1024, 768);
    menuPicture.load(BRAKKON_ASSET_DIR "/Menu.bmp");
    glEnable(GL_TEXTURE_2D);
    drawMenuScreen();
    drawMenuScreen();
    const ShownFrame menu(1024, 768);
    // The straightforward way: the picture stretched over the window.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin2D();
    glEnable(GL_BLEND);
    menuPicture.bind();
    drawScreenQuad(0, 0, 1024, 768);
    end2D();
    glDisable(GL_BLEND);
    glutSwapBuffers();
    EXPECT_EQ(std::memcmp(menu.pixels.data(), ShownFrame(1024, 768).pixels.data(), 1024 * 768 * 3),
              0);
    EXPECT_GT(menu.at(130, 560).b, menu.at(130, 560).r + 40);  // START
}

TEST_F(ScreenFlowGl, StripsRepeatThePicturesEdgesAndAMissingWideOneLeavesItToTheFourThirdsOne) {
    REQUIRE_GL_WINDOW(640, 400);  // 16:10: the 16:9 menu, 360 rows high from row 20
    onReshape(640, 400);
    glEnable(GL_TEXTURE_2D);
    char folder[4096];
    ASSERT_TRUE(getcwd(folder, sizeof folder));
    ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
    forgetWidePictures();
    drawMenuScreen();
    drawMenuScreen();
    const ShownFrame wide(640, 400);
    for (int x = 0; x < 640; x += 7) {
        EXPECT_LE(colourGap(wide.at(x, 0), wide.at(x, 19)), 1) << x;
        EXPECT_LE(colourGap(wide.at(x, 19), wide.at(x, 20)), 6) << x;
        EXPECT_LE(colourGap(wide.at(x, 399), wide.at(x, 380)), 1) << x;  // bottom strip
        EXPECT_LE(colourGap(wide.at(x, 380), wide.at(x, 379)), 6) << x;
    }
    EXPECT_GT(wide.at(320, 0).r, 200);  // the pale sky, not the clearing blue

    // In a folder without them: the 4:3 menu, 533 wide from x = 53, START
    // where it shows, and one message.
    menuPicture.load(BRAKKON_ASSET_DIR "/Menu.bmp");
    ASSERT_EQ(chdir(BRAKKON_SOURCE_DIR "/tests/layers"), 0);
    forgetWidePictures();
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame) {
        drawIntroScreen();
        drawMenuScreen();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot read Intro_16x9.bmp"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    const ShownFrame fallback(640, 400);
    EXPECT_GT(fallback.at(130, 300).b, fallback.at(130, 300).r + 40);
    EXPECT_TRUE(insideStartArea(130, 300));
    EXPECT_FALSE(insideStartArea(130, 330));
    EXPECT_LE(colourGap(fallback.at(0, 200), fallback.at(52, 200)), 1);
    forgetWidePictures();
    EXPECT_EQ(chdir(folder), 0);
}
