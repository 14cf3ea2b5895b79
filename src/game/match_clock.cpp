#include "game/match_clock.h"

#include "platform/clock.h"

namespace {
std::vector<int>* keeping = nullptr;
const std::vector<int>* replaying = nullptr;
std::size_t used = 0;
}  // namespace

int readMatchClock() {
    if (replaying) {
        if (used < replaying->size()) return (*replaying)[used++];
        return replaying->empty() ? 0 : replaying->back();
    }
    const int clock = elapsedMilliseconds();
    if (keeping) keeping->push_back(clock);
    return clock;
}

void keepMatchClockReads(std::vector<int>* kept) {
    keeping = kept;
    replaying = nullptr;
}

void replayMatchClockReads(const std::vector<int>* values) {
    replaying = values;
    keeping = nullptr;
    used = 0;
}

std::size_t matchClockReadsUsed() { return used; }
