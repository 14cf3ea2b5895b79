#include "platform/tick_pace.h"

#include <algorithm>

void paceTimerPass(TickPace& pace, int nowMs) {
    const int waited = pace.waitBegan < 0 ? kTickPeriodMs : nowMs - pace.waitBegan;
    pace.passBegan = nowMs;
    pace.waitBegan = -1;
    pace.passEarly = waited >= 0 && waited < kTickPeriodMs;
    if (pace.passEarly) pace.owedMs = std::max(0, pace.owedMs - (kTickPeriodMs - waited));
}

int paceWaitBegins(TickPace& pace, int nowMs) {
    if (pace.passBegan >= 0) {
        const int spent = nowMs - pace.passBegan;
        pace.passBegan = -1;
        if (spent > kStallMs) {
            forgetPace(pace);
        } else if (spent <= kFreePassMs) {
            // Frames are fast again: the loop has its own pace back.
            pace.owedMs = 0;
        } else {
            // A pass after a full wait spends what a fast machine's does
            // for free; one that began early had no wait to spend it in.
            pace.owedMs += spent - (pace.passEarly ? 0 : kFreePassMs);
        }
    }
    pace.waitBegan = nowMs;
    return std::max(0, kTickPeriodMs - pace.owedMs);
}

int takeCatchUpTicks(TickPace& pace) {
    const int ticks = std::min(pace.owedMs / kTickPeriodMs, kMaxCatchUpTicks);
    pace.owedMs = (pace.owedMs - ticks * kTickPeriodMs) % kTickPeriodMs;
    return ticks;
}

void forgetPace(TickPace& pace) {
    pace.passBegan = -1;
    pace.owedMs = 0;
    pace.waitBegan = -1;
    pace.passEarly = false;
}
