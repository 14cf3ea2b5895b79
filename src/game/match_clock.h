#pragma once
// The clock the simulation reseeds its random sequence from. In play it is
// the game's clock and every value read is kept for the recording of the
// fight; a replay hands the kept values back in the same order.
#include <cstddef>
#include <vector>

int readMatchClock();

// Until the next call, readMatchClock reads the game's clock and appends
// each value to `kept` (nullptr: keeps nothing).
void keepMatchClockReads(std::vector<int>* kept);
// Until the next call of either, readMatchClock hands back `values` in
// order; past their end it repeats the last one (0 when there is none).
void replayMatchClockReads(const std::vector<int>* values);
// How many of the replayed values have been read.
std::size_t matchClockReadsUsed();
