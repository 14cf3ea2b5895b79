#include <gtest/gtest.h>

#include <string>

#include "app/globals.h"
#include "app/hud.h"

TEST(HudDigits, LeadingZerosShowAndOnlyTheLastFourDigitsFit) {
    EXPECT_EQ(counterDigits(7), (std::array<int, 4>{7, 0, 0, 0}));
    EXPECT_EQ(counterDigits(12345), (std::array<int, 4>{5, 4, 3, 2}));
    EXPECT_EQ(counterDigits(0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(counterDigits(9999), (std::array<int, 4>{9, 9, 9, 9}));
    EXPECT_EQ(counterDigits(1020), (std::array<int, 4>{0, 2, 0, 1}));
}

TEST(StatusReport, FreshGameShowsZeroCountersAndTheMeasuredRate) {
    GameStats = GameStatsRecord{};
    GameStats.fps = 45;
    formatStatusReport();
    EXPECT_EQ(std::string(statusText),
              "      ----- STATUS -----\n\n"
              "hurt : 0\nfired : 0\nhit : 0\nkilled : 0\nFPS  : 45\n");
}

TEST(StatusReport, CountersAppearInTheirOwnLines) {
    GameStats = GameStatsRecord{};
    GameStats.hurt = 3;
    GameStats.fired = 1234567;
    GameStats.hit = 12;
    GameStats.killed = 2;
    formatStatusReport();
    EXPECT_EQ(std::string(statusText),
              "      ----- STATUS -----\n\n"
              "hurt : 3\nfired : 1234567\nhit : 12\nkilled : 2\nFPS  : 0\n");
    GameStats = GameStatsRecord{};
}
