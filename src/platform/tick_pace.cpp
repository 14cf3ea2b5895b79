#include "platform/tick_pace.h"

#include <algorithm>

void paceTimerPass(TickPace& pace, int nowMs) { pace.passBegan = nowMs; }

void paceWaitBegins(TickPace& pace, int nowMs) {
    if (pace.passBegan < 0) return;
    const int spent = nowMs - pace.passBegan;
    pace.passBegan = -1;
    if (spent > kStallMs) {
        forgetPace(pace);
    } else if (spent <= kFreePassMs) {
        // Frames are fast again: the loop has its own pace back.
        pace.owedMs = 0;
    } else {
        pace.owedMs += spent - kFreePassMs;
    }
}

int takeCatchUpTicks(TickPace& pace) {
    const int ticks = std::min(pace.owedMs / kTickPeriodMs, kMaxCatchUpTicks);
    pace.owedMs = (pace.owedMs - ticks * kTickPeriodMs) % kTickPeriodMs;
    return ticks;
}

void forgetPace(TickPace& pace) {
    pace.passBegan = -1;
    pace.owedMs = 0;
}
