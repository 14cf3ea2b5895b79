// Where screenshots go and how they are written, without a window: the
// pictures folder named by user-dirs.dirs, fresh names within one second,
// the PNG holding exactly the pixels handed over, and a folder that cannot
// be written giving a reason instead of a file, and a picture given up at
// exit leaving no file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/folders.h"
#include "platform/png_file.h"
#include "platform/screenshot_writer.h"
#include "support/png_read.h"

namespace {
std::string freshFolder() {
    char pattern[] = "/tmp/brakkon-shots-XXXXXX";
    return mkdtemp(pattern);
}

// A picture whose every pixel differs from its neighbours, rows bottom first.
ScreenshotJob patternJob(int width, int height, std::time_t taken, const std::string& folder) {
    ScreenshotJob job;
    job.width = width;
    job.height = height;
    job.taken = taken;
    job.folder = folder;
    job.pixels.reset(new std::uint8_t[width * height * 4]);
    for (int i = 0; i < width * height; ++i) {
        job.pixels[4 * i] = static_cast<std::uint8_t>(i);
        job.pixels[4 * i + 1] = static_cast<std::uint8_t>(i / width * 7);
        job.pixels[4 * i + 2] = static_cast<std::uint8_t>(i % width * 3);
        job.pixels[4 * i + 3] = 17;  // the window's alpha is not kept
    }
    return job;
}
}  // namespace

TEST(ScreenshotFiles, PicturesFolderFollowsUserDirsSafely) {
    const std::string home = "/home/ana";
    EXPECT_EQ(picturesFolderIn("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home), "/home/ana/Bilder");
    EXPECT_EQ(picturesFolderIn("# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                               "  XDG_PICTURES_DIR=\"/data/pics\"  \n",
                               home),
              "/data/pics");
    EXPECT_EQ(picturesFolderIn("XDG_PICTURES_DIR=\"$HOME/Mes \\\"images\\\" \\$x\"", home),
              "/home/ana/Mes \"images\" $x");
    EXPECT_EQ(picturesFolderIn("XDG_PICTURES_DIR=\"$HOME\"\n", home), home);
    // The last line wins, as when the shell reads the file.
    EXPECT_EQ(picturesFolderIn("XDG_PICTURES_DIR=\"/a\"\nXDG_PICTURES_DIR=\"/b\"\n", home), "/b");
    // Nothing is run or expanded but the leading $HOME; other forms count as absent.
    for (const char* bad :
         {"XDG_PICTURES_DIR=\"$(rm -rf ~)/x\"", "XDG_PICTURES_DIR=\"/a/$USER\"",
          "XDG_PICTURES_DIR=\"/a/`id`\"", "XDG_PICTURES_DIR=Pictures", "XDG_PICTURES_DIR=\"rel\"",
          "XDG_PICTURES_DIR=\"/unterminated", "XDG_PICTURES_DIR=\"/a\" trailing",
          "#XDG_PICTURES_DIR=\"/c\"", "XDG_PICTURES_DIR=\"${HOME}/x\"", ""})
        EXPECT_EQ(picturesFolderIn(bad, home), "") << bad;

    // From the environment: the file under XDG_CONFIG_HOME, else ~/Pictures.
    const std::string root = freshFolder();
    setenv("HOME", (root + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    EXPECT_EQ(picturesFolder(), root + "/home/Pictures");
    ASSERT_TRUE(makeFolders(root + "/config"));
    std::ofstream(root + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Fotos\"\n";
    EXPECT_EQ(picturesFolder(), root + "/home/Fotos");
    // A FIFO in its place is refused with a line, not waited on.
    std::remove((root + "/config/user-dirs.dirs").c_str());
    ASSERT_EQ(mkfifo((root + "/config/user-dirs.dirs").c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(picturesFolder(), root + "/home/Pictures");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("user-dirs.dirs: not a regular file"),
              std::string::npos);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(picturesFolder(), root + "/home/Pictures");
    std::system(("rm -rf '" + root + "'").c_str());
}

TEST(ScreenshotFiles, WritesFreshNamedPngsOfTheExactPixelsAndReportsFailures) {
    const std::string root = freshFolder();
    const std::string folder = root + "/Pictures/Brakkon";
    std::tm moment{};
    moment.tm_year = 2026 - 1900;
    moment.tm_mon = 11;
    moment.tm_mday = 9;
    moment.tm_hour = 14;
    moment.tm_min = 25;
    moment.tm_sec = 1;
    moment.tm_isdst = -1;
    const std::time_t taken = std::mktime(&moment);
    EXPECT_EQ(screenshotName(taken, 1), "brakkon-20261209-142501.png");

    // Three in the same second: none replaces another. The folder is made.
    const int width = 37, height = 5;
    for (int n = 1; n <= 3; ++n) {
        const ScreenshotOutcome outcome = writeScreenshot(patternJob(width, height, taken, folder));
        ASSERT_TRUE(outcome.saved) << outcome.error;
        EXPECT_EQ(outcome.path, folder + "/" + screenshotName(taken, n));
    }
    EXPECT_EQ(screenshotName(taken, 2), "brakkon-20261209-142501-2.png");

    ReadPicture read;
    ASSERT_TRUE(readPngFile(folder + "/" + screenshotName(taken, 3), read));
    ASSERT_EQ(read.width, width);
    ASSERT_EQ(read.height, height);
    EXPECT_FALSE(read.hadAlpha);
    const ScreenshotJob expected = patternJob(width, height, taken, folder);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) {
                const int from = ((height - 1 - y) * width + x) * 4 + c;
                const int want = c == 3 ? 255 : expected.pixels[from];
                wrong += read.rgba[(y * width + x) * 4 + c] != want;
            }
    EXPECT_EQ(wrong, 0);

    // Through the writer thread, and into a folder that cannot exist (a file
    // stands in its way): a reason, no file, no crash.
    std::ofstream(root + "/blocker") << "x";
    queueScreenshot(patternJob(width, height, taken, folder));
    queueScreenshot(patternJob(width, height, taken, root + "/blocker/Brakkon"));
    waitForScreenshots();
    ScreenshotOutcome first, second, none;
    ASSERT_TRUE(takeScreenshotOutcome(first));
    ASSERT_TRUE(takeScreenshotOutcome(second));
    EXPECT_FALSE(takeScreenshotOutcome(none));
    EXPECT_TRUE(first.saved);
    EXPECT_EQ(first.path, folder + "/" + screenshotName(taken, 4));
    EXPECT_FALSE(second.saved);
    EXPECT_NE(second.error.find(root + "/blocker"), std::string::npos) << second.error;
    struct stat info {};
    EXPECT_NE(stat((root + "/blocker/Brakkon").c_str(), &info), 0);

    // A full disk is named as such.
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    const ScreenshotJob big = patternJob(200, 200, taken, folder);
    PngPicture picture;
    picture.width = picture.height = 200;
    picture.pixels = big.pixels.get();
    std::string why;
    EXPECT_FALSE(writePng(full, picture, PngPacking::Stored, &why));
    EXPECT_EQ(why, std::strerror(ENOSPC));
    std::fclose(full);

    // Given up at once (the game ends): the picture being written loses its
    // file, the ones not started are dropped, and the writer goes on.
    const std::string late = root + "/late";
    queueScreenshot(patternJob(3840, 2160, taken, late));
    queueScreenshot(patternJob(width, height, taken, late));
    EXPECT_FALSE(finishScreenshots(std::chrono::milliseconds(0)));
    waitForScreenshots();
    EXPECT_EQ(std::system(("test -z \"$(ls -A '" + late + "' 2>/dev/null)\"").c_str()), 0);
    while (takeScreenshotOutcome(first)) EXPECT_FALSE(first.saved);
    queueScreenshot(patternJob(width, height, taken, late));
    EXPECT_TRUE(finishScreenshots(std::chrono::milliseconds(60000)));
    ASSERT_TRUE(takeScreenshotOutcome(first));
    EXPECT_TRUE(first.saved) << first.error;
    std::system(("rm -rf '" + root + "'").c_str());
}
