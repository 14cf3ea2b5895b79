// Screen-flow logic that needs no window: the start area, the menu mouse
// callbacks, the timing helpers, the frame counter and the menu easing.
#include <GL/freeglut.h>

#include <string>

#include "app/screen_flow.h"
#include "app/timing.h"
#include "assets/asset_names.h"
#include "assets/bmp_reader.h"
#include "assets/screen_fit.h"
#include "support/shell_fixture.h"

using ShellFlow = ShellTest;

TEST_F(ShellFlow, StartAreaBoundsAreExclusive) {
    windowWidth = 805;  // 805 / 10 is 80 in integer division
    windowHeight = 600;
    // x: 80 < x < 483; y: 420 < y < 480.
    EXPECT_TRUE(insideStartArea(81, 450));
    EXPECT_FALSE(insideStartArea(80, 450));
    EXPECT_TRUE(insideStartArea(482, 450));
    EXPECT_FALSE(insideStartArea(483, 450));
    EXPECT_FALSE(insideStartArea(300, 420));
    EXPECT_TRUE(insideStartArea(300, 421));
    EXPECT_TRUE(insideStartArea(300, 479));
    EXPECT_FALSE(insideStartArea(300, 480));
}

TEST_F(ShellFlow, EachShapeShowsTheNearestPictureAndStartIsWhereItsButtonShows) {
    const WindowRect at54 = fitScreenPicture(1024, 768, 1280, 1024);
    const WindowRect at1610 = fitScreenPicture(1366, 768, 1280, 800);
    EXPECT_EQ(std::vector<int>({at54.x, at54.y, at54.width, at54.height, at1610.y, at1610.height}),
              std::vector<int>({0, 32, 1280, 960, 40, 720}));
    const int sizes[][3] = {{1024, 768, 0},  {1280, 1024, 0}, {1280, 800, 1},
                            {1920, 1080, 1}, {2560, 1080, 2}, {3440, 1440, 2}};
    for (const auto& [w, h, shape] : sizes) {
        ASSERT_EQ(nearestScreenShape(w, h), shape) << w << "x" << h;
        windowWidth = w;
        windowHeight = h;
        const auto picture = loadBmpImage(
            (std::string(BRAKKON_ASSET_DIR) + "/" + assetnames::kMenuPictures[shape]).c_str());
        ASSERT_TRUE(picture);
        const WindowRect r = fitScreenPicture(picture->width, picture->height, w, h);
        int area = 0, blue = 0;
        for (int y = r.y; y < r.y + r.height; y += 3)
            for (int x = r.x; x < r.x + r.width; x += 3) {
                const int px = (x - r.x) * picture->width / r.width;
                const int py = picture->height - 1 - (y - r.y) * picture->height / r.height;
                const auto* rgb = &picture->pixels[(py * picture->width + px) * 3];
                // The button is the picture's one cool colour.
                const bool button = rgb[2] > rgb[0] + 40 && rgb[1] > rgb[0] + 20;
                if (!insideStartArea(x, y)) {
                    ASSERT_FALSE(button) << w << "x" << h << " " << x;
                }
                area += insideStartArea(x, y);
                blue += insideStartArea(x, y) && button;
            }
        EXPECT_GT(blue, area * 7 / 10) << w << "x" << h;  // the rest is the lettering
    }
}

TEST_F(ShellFlow, OnlyALeftPressInsideTheStartAreaStartsLoading) {
    screenState = ScreenState::Menu;
    onMenuButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, 300, 450);
    onMenuButton(GLUT_LEFT_BUTTON, GLUT_UP, 300, 450);
    onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 80, 450);   // on the left bound
    onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 420);  // on the top bound
    EXPECT_EQ(screenState, ScreenState::Menu);
    onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 450);
    EXPECT_EQ(screenState, ScreenState::Loading);
    // Clicking again while loading changes nothing.
    onMenuButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 450);
    EXPECT_EQ(screenState, ScreenState::Loading);
}

TEST_F(ShellFlow, HoverFollowsThePointer) {
    onMenuMotion(300, 450);
    EXPECT_EQ(menuHover, 1);
    onMenuMotion(300, 100);
    EXPECT_EQ(menuHover, 0);
    onMenuMotion(300, 100);
    EXPECT_EQ(menuHover, 0);
}

TEST_F(ShellFlow, ElapsedOverIsStrictAndStampsReadTheClock) {
    now = 116.0f;
    EXPECT_FALSE(elapsedOver(16.0f, 100.0f));
    EXPECT_TRUE(elapsedOver(16.0f, 99.0f));
    EXPECT_FALSE(elapsedOver(0.02, 116.0));
    EXPECT_TRUE(elapsedOver(0.02, 115.0));
    fakeClockMs() = 1234;
    float f = 0.0f;
    double d = 0.0;
    stampTime(f);
    stampTime(d);
    EXPECT_EQ(f, 1234.0f);
    EXPECT_EQ(d, 1234.0);
}

TEST_F(ShellFlow, EaseTowardSnapsOnlyWithinTolerance) {
    float v = 49.996f;
    EXPECT_TRUE(easeToward(v, 50.0f));
    EXPECT_EQ(v, 50.0f);
    v = 49.99f;
    EXPECT_FALSE(easeToward(v, 50.0f));
    EXPECT_EQ(v, 49.99f);
}

TEST_F(ShellFlow, MenuSpeedEasesTowardFiftyWhileHoveringAndBack) {
    menuHover = 1;
    now = 10.0f;
    fakeClockMs() = 10;
    updateMenuSpeed();
    EXPECT_FLOAT_EQ(menuSpeed, 1.0f + 49.0f / 15.0f);
    // No time has passed since the stamp: no step.
    updateMenuSpeed();
    EXPECT_FLOAT_EQ(menuSpeed, 1.0f + 49.0f / 15.0f);
    for (int ms = 11; ms < 400; ++ms) {
        now = static_cast<float>(ms);
        fakeClockMs() = ms;
        updateMenuSpeed();
    }
    EXPECT_EQ(menuSpeed, 50.0f);
    menuHover = 0;
    for (int ms = 400; ms < 800; ++ms) {
        now = static_cast<float>(ms);
        fakeClockMs() = ms;
        updateMenuSpeed();
    }
    EXPECT_EQ(menuSpeed, 1.0f);
}

TEST_F(ShellFlow, CountFrameReportsTicksOfTheLastSecond) {
    for (int tick = 1; tick <= 60; ++tick) {
        now = tick * 17.0f;
        fakeClockMs() = tick * 17;
        countFrame();
    }
    // 59 ticks reach 1003 ms: the count is published at the 59th.
    EXPECT_EQ(GameStats.fps, 59);
    EXPECT_EQ(GameStats.tickCount, 1);
    EXPECT_EQ(GameStats.lastFpsTime, 1003.0f);
}
