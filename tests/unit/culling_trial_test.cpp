// The culling trial times both ways of drawing the ground in turns and keeps
// the faster by its median, so that a few disturbed frames cannot decide.
#include "world/culling_trial.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Runs a trial to its end with these frame times (ms); one in five frames of
// the faster way takes 50 ms more, as when another process takes the machine
// (its mean would then be the slower).
bool chosenWay(double skippingMs, double drawingAllMs) {
    CullingTrial trial;
    EXPECT_FALSE(trial.measuring(false)) << "before play";
    trial.start();
    EXPECT_FALSE(trial.measuring(true)) << "while a tile is being built";
    bool way = true;
    for (int frame = 0; trial.measuring(false); ++frame) {
        const bool skip = trial.nextWay();
        EXPECT_EQ(skip, frame % 2 == 0) << "ways are taken in turns";
        EXPECT_TRUE(way) << "skipping until the end";
        way =
            trial.record(skip, ((skip ? skippingMs : drawingAllMs) + 50 * (frame % 10 < 2)) / 1e3);
    }
    EXPECT_EQ(trial.record(!way, 0.0), way) << "the choice stays";
    return way;
}

}  // namespace

TEST(CullingTrial, KeepsTheWayWithTheShorterMedianFrame) {
    EXPECT_TRUE(chosenWay(4.0, 9.0));   // a software renderer: skipping pays
    EXPECT_FALSE(chosenWay(1.6, 0.9));  // a fast card: deciding costs more than it saves
}
