#pragma once
// Puts the shell's program-wide state back to its start values and drives
// the game clock by hand, so each test starts from a fresh program.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/clock.h"

inline int& fakeClockMs() {
    static int ms = 0;
    return ms;
}
inline int readFakeClock() { return fakeClockMs(); }

inline void resetShellState() {
    windowWidth = 800;
    windowHeight = 600;
    screenState = Intro;
    introFrames = 60;
    loadingFrames = 1;
    gameSwitchTicks = 120;
    sceneryGroundFrames = 2;
    now = lastTick = 0.0f;
    menuHover = 0;
    menuSpeed = 1.0f;
    menuEase = 15.0f;
    menuSpeedStamp = 0.0;
    lastMouseX = 400.0;
    lastMouseY = 300.0;
    TimeScale = 100.0f;
    showStatus = false;
    CameraState = {};
    AimPoint = {};
    hitCount = 0;
    GameStats = {};
    levelReady = false;
    world.reset();
    player.reset();
    for (auto& s : blocks) s.reset();
    for (auto& s : scenery) s.reset();
    for (auto& s : enemies) s.reset();
    for (auto& s : retiredEnemies) s.reset();
    for (auto& s : projectiles) s.reset();
    for (auto& s : explosions) s.reset();
    fakeClockMs() = 0;
    setClockSource(readFakeClock);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { resetShellState(); }
    void TearDown() override {
        resetShellState();
        setClockSource(nullptr);
    }
};
