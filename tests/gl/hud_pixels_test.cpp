#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/globals.h"
#include "app/hud.h"
#include "support/gl_context.h"
#include "support/solid_texture.h"

namespace {

constexpr int kSize = 400;

// Digit d is drawn in red 20 * d + 40, so each cell tells its digit.
unsigned char digitRed(int d) { return static_cast<unsigned char>(20 * d + 40); }

int digitAt(int x, int y) {
    const PixelRgb p = readPixel(x, y);
    for (int d = 0; d <= 9; ++d)
        if (std::abs(p.r - digitRed(d)) <= 2 && p.g == 0 && p.b == 0) return d;
    return -1;
}

class HudPixels : public ::testing::Test {
protected:
    // Runs once the window exists.
    void prepare() {
        windowWidth = windowHeight = kSize;
        for (int d = 0; d <= 9; ++d) makeSolidTexture(digitPictures[d], digitRed(d), 0, 0);
        makeSolidTexture(hudCrosshairMask, 0, 0, 0);
        makeSolidTexture(hudCrosshair, 0, 200, 255);
        makeSolidTexture(hudLabelHurt, 0, 0, 10);
        makeSolidTexture(hudLabelKilled, 0, 0, 20);
        makeSolidTexture(hudLabelHit, 0, 0, 30);
        makeSolidTexture(hudLabelFired, 0, 0, 40);
        GameStats = GameStatsRecord{};
        // A white scene: the multiplying passes show the pictures as they are.
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
    }
    void TearDown() override { GameStats = GameStatsRecord{}; }
};

}  // namespace

TEST_F(HudPixels, CountersShowTheirDigitsInTheirRows) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    REQUIRE_TEXTURE_BINDING();
    prepare();
    GameStats.fired = 7;
    GameStats.hit = 12345;
    GameStats.killed = 908;
    GameStats.hurt = 31;
    drawHud();

    // Rows from the bottom: fired, hit, killed, hurt; cells from the right:
    // ones, tens, hundreds, thousands. Sample each cell's centre.
    const int expected[4][4] = {{7, 0, 0, 0}, {5, 4, 3, 2}, {8, 0, 9, 0}, {1, 3, 0, 0}};
    for (int row = 0; row < 4; ++row) {
        for (int cell = 0; cell < 4; ++cell) {
            const int x = kSize - 15 - 30 * cell, y = 15 + 30 * row;
            EXPECT_EQ(digitAt(x, y), expected[row][cell]) << "row " << row << " cell " << cell;
        }
    }
    // Labels to the left of the digits, hurt at the top.
    const int labelBlue[4] = {40, 30, 20, 10};
    for (int row = 0; row < 4; ++row) {
        const PixelRgb p = readPixel(kSize - 180, 15 + 30 * row);
        EXPECT_EQ(p.b, labelBlue[row]) << "row " << row;
        EXPECT_EQ(p.r, 0);
    }
    // Nothing beyond the labels or above the hurt row.
    EXPECT_EQ(readPixel(kSize - 245, 15).r, 255);
    EXPECT_EQ(readPixel(kSize - 15, 125).r, 255);
}

TEST_F(HudPixels, CrosshairHangsBelowTheCentre) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    REQUIRE_TEXTURE_BINDING();
    prepare();
    drawHud();
    // Overlay y from 128 to 158 down the window: rows 98..127 from the bottom.
    const PixelRgb inside = readPixel(kSize / 2, kSize / 2 - 15);
    EXPECT_EQ(inside.r, 0);
    EXPECT_EQ(inside.g, 200) << int(inside.r) << " " << int(inside.g) << " " << int(inside.b);
    EXPECT_EQ(inside.b, 255);
    EXPECT_EQ(readPixel(kSize / 2 - 14, kSize / 2 - 2).g, 200);
    EXPECT_EQ(readPixel(kSize / 2 - 17, kSize / 2 - 15).r, 255);  // left of it
    EXPECT_EQ(readPixel(kSize / 2, kSize / 2 + 3).r, 255);        // above the centre line
    EXPECT_EQ(readPixel(kSize / 2, kSize / 2 - 33).r, 255);       // below it
}

TEST_F(HudPixels, LeavesBlendingOffAndDepthAndLightingOn) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    prepare();
    GLint projectionDepth = 0, after = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    drawHud();
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &after);
    EXPECT_EQ(after, projectionDepth);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

namespace {

// The window's pixels, read once; rows counted from the top edge.
class Screen {
public:
    Screen() : pixels_(kSize * kSize * 3) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    }
    bool green(int x, int rowFromTop) const {
        const unsigned char* p = &pixels_[3 * ((kSize - 1 - rowFromTop) * kSize + x)];
        return p[0] == 0 && p[1] == 255 && p[2] == 0;
    }
    bool anyGreen(int top, int bottom, int left, int right) const {
        for (int row = top; row < bottom; ++row)
            for (int x = left; x < right; ++x)
                if (green(x, row)) return true;
        return false;
    }

private:
    std::vector<unsigned char> pixels_;
};

}  // namespace

TEST(HudStatusText, ReportLinesSitThirteenPixelsApartFromTheTopLeft) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    windowWidth = windowHeight = kSize;
    glViewport(0, 0, kSize, kSize);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GameStats = GameStatsRecord{};
    formatStatusReport();
    drawStatusText(0, 0);
    const Screen screen;

    // Line n stands on row 13n + 12 from the top; descenders reach 2 below.
    EXPECT_TRUE(screen.anyGreen(0, 13, 0, 200));      // title
    EXPECT_FALSE(screen.anyGreen(0, 13, 0, 48));      // indented by six blanks
    EXPECT_FALSE(screen.anyGreen(15, 26, 0, kSize));  // empty line
    for (int line = 2; line <= 6; ++line)
        EXPECT_TRUE(screen.anyGreen(13 * line, 13 * line + 13, 0, 100)) << "line " << line;
    // "hurt : 0" is 8 characters wide; "killed : 0" 10; nothing further right.
    EXPECT_FALSE(screen.anyGreen(26, 39, 64, kSize));
    EXPECT_TRUE(screen.anyGreen(65, 78, 72, 80));
    EXPECT_FALSE(screen.anyGreen(13 * 7 + 3, kSize, 0, kSize));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    std::memset(statusText, 0, sizeof statusText);
}

TEST(HudStatusText, OnAScreenTwiceAsLargeEachPixelOfTheReportIsATwoByTwoSquare) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    GameStats = GameStatsRecord{};
    GameStats.fired = 1234567;
    formatStatusReport();
    // The report sits in the viewport's top left corner: let that be the window's.
    const auto drawIn = [](int width, int height) {
        glViewport(0, kSize - height, width, height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawStatusText(0, 0);
        return Screen();
    };
    const Screen once = drawIn(kSize, kSize), twice = drawIn(2560, 1440);
    int green = 0, mismatches = 0;
    for (int row = 0; row < kSize; ++row) {
        for (int x = 0; x < kSize; ++x) {
            green += twice.green(x, row);
            mismatches += twice.green(x, row) != once.green(x / 2, row / 2);
        }
    }
    EXPECT_GT(green, 4 * 400);
    EXPECT_EQ(mismatches, 0);
    glViewport(0, 0, kSize, kSize);
    std::memset(statusText, 0, sizeof statusText);
}
