#pragma once
// Catch-up ticks for slow frames. Play runs one tick per timer pass, 22 ms
// after the window system went idle, so a slow frame stretches every tick
// period and the whole game slows down. The time a pass spends on its ticks
// and the frame after them, beyond what a fast machine spends, is owed as
// ticks and repaid a few at a time before the next frame. A fast pass owes
// nothing, so with fast frames the loop stays one tick per timer pass; a
// stall, a pause or anything else that stops the loop is forgotten.
// While ticks are owed, the wait after a frame shrinks by what is owed, down
// to none: the next pass starts when its tick is due, so ticks keep a clock
// of one tick length each and frames come as often as the machine allows,
// never more than one per tick.

struct TickPace {
    int passBegan = -1;      // clock when the current timer pass began; -1: no pass to measure
    int owedMs = 0;          // how far the simulation is behind
    int waitBegan = -1;      // clock when the wait before the next pass began; -1: none
    bool passEarly = false;  // the current pass began before a full wait: its tick was due
};

constexpr int kTickPeriodMs = 22;    // the timer's wait, the length of one tick
constexpr int kFreePassMs = 3;       // a pass this short owes nothing
constexpr int kMaxCatchUpTicks = 4;  // extra ticks before one frame, at most
constexpr int kStallMs = 250;        // a pass longer than this is a stall: nothing is owed

// A timer pass begins at nowMs. The part of a tick's wait it did not take
// repays what is owed.
void paceTimerPass(TickPace& pace, int nowMs);
// The pass that began last ends at nowMs (its frame is drawn): its cost is
// added to what is owed; a pass that began early owes all of it. Returns the
// wait before the next pass: a tick's length, less what is owed.
int paceWaitBegins(TickPace& pace, int nowMs);
// How many extra ticks to run now, before the next frame (0 to
// kMaxCatchUpTicks); what the bound cannot repay is forgotten.
int takeCatchUpTicks(TickPace& pace);
// Time starts again: nothing is owed and no pass is measured.
void forgetPace(TickPace& pace);
