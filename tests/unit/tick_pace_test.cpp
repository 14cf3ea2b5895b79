// What catch-up owes, on a clock the test moves: a timer pass every 22 ms
// plus what its ticks and frame cost.
#include "platform/tick_pace.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
struct PaceModel {
    TickPace pace;
    int clock = 0;
    int ticks = 0;
    bool honourWait = false;  // the timer fires as soon as asked, not a tick later
    int wait = kTickPeriodMs;
    // One timer pass whose ticks cost tickMs each and whose frame costs
    // frameMs; returns the ticks it ran.
    int pass(int frameMs, int tickMs = 1) {
        clock += honourWait ? wait : kTickPeriodMs;
        paceTimerPass(pace, clock);
        const int n = 1 + takeCatchUpTicks(pace);
        clock += n * tickMs + frameMs;
        wait = paceWaitBegins(pace, clock);
        ticks += n;
        return n;
    }
    double ticksPerSecond(int frameMs, int passes) {
        const int startClock = clock, startTicks = ticks;
        for (int i = 0; i < passes; ++i) pass(frameMs);
        return (ticks - startTicks) * 1000.0 / (clock - startClock);
    }
};
}  // namespace

TEST(TickPace, SlowFramesKeepThePaceOfFreeOnesAndFastOnesOweNothing) {
    PaceModel free;
    EXPECT_NEAR(free.ticksPerSecond(0, 1000), 1000.0 / 23, 0.01);  // no catch-up
    // The frame costs this machine measured at 1024 x 768 and 1920 x 1080,
    // and far slower ones: within a tick a second of the cap (45.5).
    for (const int frame : {25, 45, 70}) {
        PaceModel slow;
        const double pace = slow.ticksPerSecond(frame, 1000);
        EXPECT_GT(pace, 42.0) << frame;
        EXPECT_LE(pace, 1000.0 / kTickPeriodMs) << frame;
    }
    // Beyond what the bound repays, the pace falls, without a debt.
    PaceModel tooSlow;
    EXPECT_LT(tooSlow.ticksPerSecond(200, 100), 30.0);
    tooSlow.pace.owedMs = 100000;  // however much is owed
    EXPECT_EQ(tooSlow.pass(0), 1 + kMaxCatchUpTicks);
    EXPECT_EQ(tooSlow.pass(0), 1);
    // Fast passes, however many, never add a tick, and clear what was owed.
    PaceModel fast;
    fast.pass(30);
    for (int i = 0; i < 10000; ++i) {
        const int n = fast.pass(i % kFreePassMs);  // with its tick, at most kFreePassMs
        ASSERT_EQ(n, i == 0 ? 2 : 1) << i;
    }
}

TEST(TickPace, StallsAndRestartsOweNothing) {
    PaceModel m;
    for (int i = 0; i < 10; ++i) m.pass(40);
    m.pass(2000);
    EXPECT_EQ(m.pass(40), 1);  // the stall is forgotten
    EXPECT_GT(m.pass(40), 1);  // the slow frame before is not
    forgetPace(m.pace);
    EXPECT_EQ(takeCatchUpTicks(m.pace), 0);
    // A wait that ends without a pass to measure owes nothing either.
    paceWaitBegins(m.pace, m.clock + 500);
    EXPECT_EQ(m.pass(0), 1);
}

TEST(TickPace, BehindTheNextPassStartsWhenItsTickIsDue) {
    // Frames slower than a tick: no wait, and the ticks keep a clock of one
    // tick length. A faster frame waits out the rest of its tick.
    for (const int frame : {10, 25, 70}) {
        PaceModel behind;
        behind.honourWait = true;
        EXPECT_NEAR(behind.ticksPerSecond(frame, 1000), 1000.0 / kTickPeriodMs, 0.1) << frame;
        EXPECT_EQ(behind.wait, std::max(0, kTickPeriodMs - frame - 1)) << frame;
    }
}
