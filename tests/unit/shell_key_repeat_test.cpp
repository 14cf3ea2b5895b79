// The desktop's key auto-repeat is given back at exit only if it was on.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/desktop_keys.h"

namespace {
bool fakeOn() { return true; }
bool fakeOff() { return false; }
void reportSwitchOn() { std::fprintf(stderr, "repeat switched on\n"); }
}  // namespace

TEST(DesktopKeyRepeat, EscapePathGivesRepeatBackWhenItWasOn) {
    EXPECT_EXIT(
        {
            setKeyRepeatControl({fakeOn, reportSwitchOn});
            rememberDesktopKeyRepeat();
            quitGame(0);
        },
        ::testing::ExitedWithCode(0), "repeat switched on");
}

TEST(DesktopKeyRepeat, AnyOtherExitGivesRepeatBackToo) {
    EXPECT_EXIT(
        {
            setKeyRepeatControl({fakeOn, reportSwitchOn});
            rememberDesktopKeyRepeat();
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "repeat switched on");
}

TEST(DesktopKeyRepeat, RepeatThatWasOffStaysOff) {
    EXPECT_EXIT(
        {
            setKeyRepeatControl({fakeOff, reportSwitchOn});
            rememberDesktopKeyRepeat();
            std::fprintf(stderr, "leaving\n");
            quitGame(0);
        },
        ::testing::ExitedWithCode(0), "^leaving\n$");
}

TEST(DesktopKeyRepeat, TerminationGivesRepeatBack) {
    EXPECT_EXIT(
        {
            setKeyRepeatControl({fakeOn, reportSwitchOn});
            rememberDesktopKeyRepeat();
            restoreDesktopKeyRepeatOnSignals();
            std::raise(SIGTERM);
        },
        ::testing::ExitedWithCode(128 + SIGTERM), "repeat switched on");
}
