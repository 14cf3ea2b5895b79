// The pre-game screens driven frame by frame and tick by tick in a real
// window, with the level set-up replaced by a counter.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/screen_flow.h"
#include "app/startup.h"
#include "support/gl_context.h"
#include "support/shell_fixture.h"

namespace {
int setupRuns = 0;
void countSetup() { ++setupRuns; }

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
