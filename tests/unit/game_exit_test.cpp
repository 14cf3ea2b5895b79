// How the game ends: Esc flushes, finishes the screenshots already taken
// and exits with its status; a stop signal
// ends the process by that very signal even while another thread holds the
// stdio locks (a handler that flushed or talked to the X server would hang
// there), and a signal the process started with ignored stays ignored.
#include "app/game_exit.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/screenshot_writer.h"
#include "support/png_read.h"

TEST(GameExit, QuitFlushesWhatIsBufferedAndExitsWithTheStatus) {
    EXPECT_EXIT(
        {
            static char buffer[256];
            std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
            std::fputs("last words", stderr);
            quitGame(3);
        },
        ::testing::ExitedWithCode(3), "last words");
}

namespace {
ScreenshotJob patternedPicture(int width, int height, const std::string& folder) {
    ScreenshotJob job;
    job.width = width;
    job.height = height;
    job.folder = folder;
    job.pixels.reset(new std::uint8_t[width * height * 4]);
    for (int i = 0; i < width * height * 4; ++i)
        job.pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 4093);
    return job;
}

std::string freshFolder() {
    char pattern[] = "/tmp/brakkon-exit-XXXXXX";
    return mkdtemp(pattern);
}
}  // namespace

TEST(GameExit, QuitWritesTheScreenshotJustTakenWhole) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string folder = freshFolder();
    EXPECT_EXIT(
        {
            queueScreenshot(patternedPicture(1920, 1080, folder));
            quitGame(0);
        },
        ::testing::ExitedWithCode(0), "");
    ReadPicture read;
    EXPECT_TRUE(readPngFile(folder + "/" + screenshotName(0, 1), read));
    EXPECT_EQ(read.width, 1920);
    EXPECT_EQ(read.height, 1080);
    std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(GameExit, AStopSignalLeavesNoHalfWrittenScreenshot) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const std::string folder = freshFolder();
    const std::string path = folder + "/" + screenshotName(0, 1);
    EXPECT_EXIT(
        {
            endGameOnStopSignals();
            queueScreenshot(patternedPicture(3840, 2160, folder));
            struct stat info {};
            while (stat(path.c_str(), &info) != 0) std::this_thread::yield();
            raise(SIGTERM);
        },
        ::testing::KilledBySignal(SIGTERM), "");
    // No file, or a whole one should the writer have finished first.
    struct stat info {};
    ReadPicture read;
    EXPECT_TRUE(stat(path.c_str(), &info) != 0 || readPngFile(path, read));
    std::system(("rm -rf '" + folder + "'").c_str());
}

namespace {
// `ignored` arrives ignored, as SIGINT does for a background job and SIGHUP
// under nohup; it is sent first and must change nothing.
[[noreturn]] void stopWhileStdioIsHeld(int ignored, int sent) {
    signal(ignored, SIG_IGN);
    endGameOnStopSignals();
    std::atomic<bool> held{false};
    std::thread holder([&held] {
        flockfile(stdout);
        flockfile(stderr);
        held = true;
        for (;;) pause();
    });
    while (!held) std::this_thread::yield();
    raise(ignored);
    raise(sent);
    for (;;) pause();
}
}  // namespace

TEST(GameExit, StopSignalEndsTheGameByThatSignalAndAnIgnoredOneStaysIgnored) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int cases[][2] = {{SIGINT, SIGTERM}, {SIGHUP, SIGINT}, {SIGINT, SIGHUP}};
    for (const auto& c : cases) {
        EXPECT_EXIT(stopWhileStdioIsHeld(c[0], c[1]), ::testing::KilledBySignal(c[1]), "")
            << "ignored " << c[0] << ", sent " << c[1];
    }
}
