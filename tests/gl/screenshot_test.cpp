// F12 in a real window: the PNG written holds exactly the frame read back,
// lands in the Brakkon folder of the desktop's pictures folder, and the
// notice that says so is drawn after the picture is kept, only while it
// lasts, and never before a screenshot was taken.
#include "app/screenshot.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "support/gl_context.h"
#include "support/png_read.h"

namespace {
constexpr int kWidth = 320, kHeight = 200;

int fakeMs = 0;
int fakeClock() { return fakeMs; }

// Every pixel a different colour, so a flipped, shifted or swapped picture shows.
void drawPattern() {
    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        rgb[3 * i] = static_cast<unsigned char>(i % kWidth);
        rgb[3 * i + 1] = static_cast<unsigned char>(i / kWidth);
        rgb[3 * i + 2] = static_cast<unsigned char>(i * 13 / 7);
    }
    glDisable(GL_DEPTH_TEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    glDrawPixels(kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

// The back buffer as RGB rows from the top.
std::vector<unsigned char> frameTopDown() {
    std::vector<unsigned char> rgb(kWidth * kHeight * 3), top(rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    for (int y = 0; y < kHeight; ++y)
        std::copy_n(&rgb[(kHeight - 1 - y) * kWidth * 3], kWidth * 3, &top[y * kWidth * 3]);
    return top;
}

// Pixels that differ between two frames: in the top quarter, in its right
// half, and below it.
struct Changed {
    int top = 0, topRight = 0, below = 0;
};
Changed changedBetween(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    Changed changed;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        if (std::equal(&a[3 * i], &a[3 * i + 3], &b[3 * i])) continue;
        if (i / kWidth >= kHeight / 4) {
            ++changed.below;
        } else {
            ++changed.top;
            changed.topRight += i % kWidth >= kWidth / 2;
        }
    }
    return changed;
}
}  // namespace

TEST(Screenshot, PngHoldsTheFrameAndTheNoticeComesAfterIt) {
    REQUIRE_GL_WINDOW(kWidth, kHeight);
    windowWidth = kWidth;
    windowHeight = kHeight;
    setClockSource(fakeClock);
    char pattern[] = "/tmp/brakkon-shot-XXXXXX";
    const std::string root = mkdtemp(pattern);
    setenv("HOME", (root + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    ASSERT_TRUE(makeFolders(root + "/config"));
    std::ofstream(root + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";

    drawPattern();
    const auto drawn = frameTopDown();
    // Never asked: nothing kept, no notice drawn.
    takeScreenshotIfAsked();
    waitForScreenshots();
    EXPECT_FALSE(updateScreenshotNotice());
    drawScreenshotNotice();
    const Changed none = changedBetween(drawn, frameTopDown());
    EXPECT_EQ(none.top + none.below, 0);

    screenshotWanted = true;
    EXPECT_TRUE(updateScreenshotNotice());  // a picture to draw
    takeScreenshotIfAsked();
    waitForScreenshots();
    ASSERT_TRUE(updateScreenshotNotice());

    const std::string folder = root + "/home/Bilder/Brakkon";
    const std::string file = folder + "/" + screenshotName(std::time(nullptr), 1);
    ReadPicture read;
    // The name's second is the one the frame was taken in, or just before it.
    ASSERT_TRUE(readPngFile(file, read) ||
                readPngFile(folder + "/" + screenshotName(std::time(nullptr) - 1, 1), read));
    ASSERT_EQ(read.width, kWidth);
    ASSERT_EQ(read.height, kHeight);
    int wrong = 0;
    for (int i = 0; i < kWidth * kHeight; ++i)
        for (int c = 0; c < 3; ++c) wrong += read.rgba[4 * i + c] != drawn[3 * i + c];
    EXPECT_EQ(wrong, 0);

    // The notice sits along the top, from the right, and lasts its few seconds.
    drawScreenshotNotice();
    const Changed shown = changedBetween(drawn, frameTopDown());
    EXPECT_GT(shown.topRight, 2000);
    EXPECT_EQ(shown.below, 0);
    fakeMs = kScreenshotNoticeMs - 1;
    EXPECT_FALSE(updateScreenshotNotice());
    fakeMs = kScreenshotNoticeMs;
    EXPECT_TRUE(updateScreenshotNotice());
    drawPattern();
    drawScreenshotNotice();
    const Changed gone = changedBetween(drawn, frameTopDown());
    EXPECT_EQ(gone.top + gone.below, 0);

    setClockSource(nullptr);
    resetScreenshots();
    std::system(("rm -rf '" + root + "'").c_str());
}
