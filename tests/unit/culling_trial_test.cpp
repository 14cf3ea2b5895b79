// The culling trial times both ways of drawing the ground in turns and keeps
// the faster by its median, so that one disturbed frame cannot decide.
#include "world/culling_trial.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Runs a trial to its end with the given frame times (ms) for each way;
// every fifth frame of the faster way is disturbed by another process.
bool chosenWay(double skippingMs, double drawingAllMs) {
    CullingTrial trial;
    EXPECT_FALSE(trial.measuring(false)) << "before play";
    trial.start();
    EXPECT_FALSE(trial.measuring(true)) << "while a tile is being built";
    bool way = true;
    for (int frame = 0; trial.measuring(false); ++frame) {
        const bool skip = trial.nextWay();
        EXPECT_EQ(skip, frame % 2 == 0) << "ways are taken in turns";
        double ms = skip ? skippingMs : drawingAllMs;
        if (frame % 10 < 2 && ms == std::min(skippingMs, drawingAllMs)) ms += 50;
        way = trial.record(skip, ms / 1000);
        if (trial.measuring(false)) {
            EXPECT_TRUE(way) << "skipping until the end";
        }
        EXPECT_LT(frame, 2 * CullingTrial::kFramesPerWay);
    }
    EXPECT_TRUE(trial.ended());
    EXPECT_EQ(trial.record(!way, 0.0), way) << "the choice stays";
    return way;
}

}  // namespace

TEST(CullingTrial, KeepsTheWayWithTheShorterMedianFrame) {
    EXPECT_TRUE(chosenWay(4.0, 9.0));   // a software renderer: skipping pays
    EXPECT_FALSE(chosenWay(1.6, 0.9));  // a fast card: deciding costs more than it saves
}
