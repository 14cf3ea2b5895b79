// How the game ends: Esc flushes, finishes the screenshots already taken
// and exits with its status; a stop signal
// ends the process by that very signal even while another thread holds the
// stdio locks (a handler that flushed or talked to the X server would hang
// there), and a signal the process started with ignored stays ignored.
#include "app/game_exit.h"

#include <gtest/gtest.h>
#include <signal.h>
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

TEST(GameExit, QuitWritesTheScreenshotJustTakenWhole) {
    GTEST_FLAG_SET(death_test_style, "fast");
    char pattern[] = "/tmp/brakkon-exit-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const int width = 1920, height = 1080;
    EXPECT_EXIT(
        {
            ScreenshotJob job;
            job.width = width;
            job.height = height;
            job.folder = folder;
            job.pixels.reset(new std::uint8_t[width * height * 4]);
            for (int i = 0; i < width * height * 4; ++i)
                job.pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 4093);
            queueScreenshot(std::move(job));
            quitGame(0);
        },
        ::testing::ExitedWithCode(0), "");
    ReadPicture read;
    EXPECT_TRUE(readPngFile(folder + "/" + screenshotName(0, 1), read));
    EXPECT_EQ(read.width, width);
    EXPECT_EQ(read.height, height);
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
