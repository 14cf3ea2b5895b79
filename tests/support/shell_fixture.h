#pragma once
// Puts the program-wide state back to its start values and drives the game
// clock by hand, so each test starts from a fresh program.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/clock.h"

inline int& fakeClockMs() {
    static int ms = 0;
    return ms;
}
inline int readFakeClock() { return fakeClockMs(); }

// The start values, with the window at the size of its first reshape.
inline void resetProgramState() {
    resetGameState();
    resetShellState();
    windowWidth = 800;
    windowHeight = 600;
    fakeClockMs() = 0;
    setClockSource(readFakeClock);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { resetProgramState(); }
    void TearDown() override {
        resetProgramState();
        setClockSource(nullptr);
    }
};
