// How the game ends: Esc flushes and exits with its status; a stop signal
// ends the process with 128 + its number even when the process had been told
// to ignore it, and even while another thread holds the stdio locks (a
// handler that flushed or talked to the X server would hang there).
#include "app/game_exit.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <thread>

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
[[noreturn]] void stopWhileStdioIsHeld(int signalNumber) {
    // Started from a shell in the background, SIGINT arrives ignored.
    signal(SIGINT, SIG_IGN);
    endGameOnStopSignals();
    std::atomic<bool> held{false};
    std::thread holder([&held] {
        flockfile(stdout);
        flockfile(stderr);
        held = true;
        for (;;) pause();
    });
    while (!held) std::this_thread::yield();
    raise(signalNumber);
    for (;;) pause();
}
}  // namespace

TEST(GameExit, StopSignalEndsWithItsStatusWhileStdioIsHeld) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(stopWhileStdioIsHeld(signalNumber),
                    ::testing::ExitedWithCode(128 + signalNumber), "")
            << signalNumber;
    }
}
