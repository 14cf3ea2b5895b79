// Deciding on the CPU which ground is certainly hidden: only ground that is
// nearer at every pixel and crossed by every ray to a block may hide it, and
// nothing is assumed about what lies between two tiles.
#include "world/horizon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 128 x 128 sheet whose height is a function of the row n.
struct Sheet {
    std::vector<float> heights = std::vector<float>(128 * 128, 0.0f);
    GroundSheet ground;
    Sheet(double originZ, float (*rowHeight)(int)) {
        for (int n = 0; n < 128; ++n)
            for (int m = 0; m < 128; ++m) heights[n * 128 + m] = rowHeight(n);
        ground.heights = heights.data();
        ground.originX = 0.0;
        ground.originZ = originZ;
    }
    // Rectangles growing away from row 0, as the game offers them.
    void offer(Horizon& horizon) const {
        for (int n1 : {16, 32, 48, 64, 96, 127})
            horizon.addOccluder(&ground, 0, 127, 0, n1, 0.0f, 40.0f);
    }
};

constexpr double kNear = 0.1, kCornerCos = 0.514;

// A box straight ahead (toward -z) at the given distance range from z = 0.
GroundBox ahead(double from, double to, double low, double high) {
    return {56.0, 72.0, -to, -from, low, high};
}

std::vector<char> decide(Horizon& horizon, const std::vector<GroundBox>& boxes) {
    for (const GroundBox& box : boxes) horizon.addCandidate(box);
    std::vector<char> hidden;
    horizon.decide(hidden);
    return hidden;
}

}  // namespace

TEST(Horizon, ARidgeHidesOnlyWhatLiesLowBehindIt) {
    // Flat ground with a 10 high ridge across rows 40 to 50; the eye stands
    // 2 above the ground at row 5 and looks along the rows.
    const Sheet ridge(0.0, [](int n) { return n >= 40 && n <= 50 ? 10.0f : 0.0f; });
    const double eye[3] = {64.0, 2.0, -5.0}, forward[3] = {0.0, 0.0, -1.0};
    Horizon horizon;
    horizon.begin(eye, forward, kNear, kCornerCos);
    ridge.offer(horizon);
    const auto hidden = decide(horizon, {ahead(80, 96, 0, 3),    // low, behind: hidden
                                         ahead(80, 96, 0, 30),   // rises over the ridge
                                         ahead(20, 30, 0, 1),    // in front of the ridge
                                         ahead(44, 60, 0, 3)});  // overlaps it in depth
    EXPECT_EQ(hidden, (std::vector<char>{1, 0, 0, 0}));
}

TEST(Horizon, AStepUpBetweenTilesLeavesAGapThatIsNotHidden) {
    // The eye's tile is flat; the next tile, from z = -127 on, stands 20
    // high everywhere, so its front edge is a step up with nothing under it.
    const Sheet low(0.0, [](int) { return 0.0f; });
    const Sheet high(-127.0, [](int) { return 20.0f; });
    const double eye[3] = {64.0, 5.0, -64.0}, forward[3] = {0.0, 0.0, -1.0};
    Horizon horizon;
    horizon.begin(eye, forward, kNear, kCornerCos);
    low.offer(horizon);
    high.offer(horizon);
    const auto hidden = decide(horizon, {ahead(364, 380, 0, 1),      // seen under the step
                                         ahead(364, 380, 40, 41)});  // behind its underside
    EXPECT_EQ(hidden, (std::vector<char>{0, 1}));
}

TEST(Horizon, NothingIsHiddenWithoutRoomBeforeTheNearPlaneOrBehindTheEye) {
    const Sheet ridge(0.0, [](int n) { return n >= 40 && n <= 50 ? 10.0f : 0.0f; });
    const double forward[3] = {0.0, 0.0, -1.0};
    {
        // The eye a hair above its ground: the first crossing could be clipped.
        const double eye[3] = {64.0, 0.05, -5.0};
        Horizon horizon;
        horizon.begin(eye, forward, kNear, kCornerCos);
        ridge.offer(horizon);
        EXPECT_EQ(decide(horizon, {ahead(80, 96, 0, 3)}), std::vector<char>{0});
    }
    {
        // Looking the other way: the box lies behind the eye.
        const double eye[3] = {64.0, 2.0, -5.0}, back[3] = {0.0, 0.0, 1.0};
        Horizon horizon;
        horizon.begin(eye, back, kNear, kCornerCos);
        ridge.offer(horizon);
        EXPECT_EQ(decide(horizon, {ahead(80, 96, 0, 3)}), std::vector<char>{0});
    }
    {
        // Looking straight down there is no azimuth to work with.
        const double eye[3] = {64.0, 30.0, -5.0}, down[3] = {0.0, -1.0, 0.0};
        Horizon horizon;
        horizon.begin(eye, down, kNear, kCornerCos);
        EXPECT_FALSE(horizon.usable());
        ridge.offer(horizon);
        EXPECT_EQ(decide(horizon, {ahead(80, 96, 0, 3)}), std::vector<char>{0});
    }
}

TEST(Horizon, AHorizonKeptFromFrameToFrameDecidesAsAFreshOne) {
    // The game keeps one horizon (and its second thread) for every frame;
    // nothing of an earlier frame may leak into the next one's decisions,
    // and the share of the view each thread takes, which moves from frame to
    // frame with their timings, may change none.
    const Sheet ridge(0.0, [](int n) { return n >= 40 && n <= 50 ? 10.0f : 0.0f; });
    const std::vector<GroundBox> boxes = {ahead(80, 96, 0, 3),
                                          ahead(80, 96, 0, 30),
                                          ahead(20, 30, 0, 1),
                                          {20.0, 30.0, -90.0, -80.0, 0, 3},
                                          {100.0, 110.0, -90.0, -80.0, 0, 3}};
    // The fourth eye stands beyond the ridge and sees everything; the frames
    // around it hide the low boxes behind the ridge.
    const double eyes[][3] = {{64.0, 2.0, -5.0},
                              {64.0, 12.0, -5.0},
                              {30.0, 2.0, -5.0},
                              {64.0, 2.0, -60.0},
                              {64.0, 2.0, -5.0}};
    const double forward[3] = {0.0, 0.0, -1.0};
    Horizon kept;
    for (const auto& eye : eyes) {
        Horizon fresh;
        for (Horizon* horizon : {&kept, &fresh}) {
            horizon->begin(eye, forward, kNear, kCornerCos);
            ridge.offer(*horizon);
        }
        EXPECT_EQ(decide(kept, boxes), decide(fresh, boxes))
            << "eye at " << eye[0] << ", " << eye[1] << ", " << eye[2];
    }
}

TEST(Horizon, SeenAcrossATileCornerARidgeHidesOnlyWhatLiesLowBehindIt) {
    // The eye stands off the tile's south-west corner (x < 0, z < -127) and
    // looks diagonally in, so rays come in over two edges at once. A ridge
    // 10 high runs across the diagonal; the tile offers rectangles grown from
    // that corner, as the game does.
    std::vector<float> heights(128 * 128);
    for (int n = 0; n < 128; ++n) {
        for (int m = 0; m < 128; ++m) {
            const int along = m + (127 - n);  // distance from the corner along the diagonal
            heights[n * 128 + m] = along >= 50 && along <= 80 ? 10.0f : 0.0f;
        }
    }
    GroundSheet sheet;
    sheet.heights = heights.data();
    const double eye[3] = {-20.0, 2.0, -147.0};
    const double forward[3] = {0.70710678, 0.0, 0.70710678};
    // A box around the diagonal point (k, 127 - k).
    auto onDiagonal = [](double k, double low, double high) {
        return GroundBox{k - 4, k + 4, -(127 - k) - 4, -(127 - k) + 4, low, high};
    };
    Horizon horizon;
    horizon.begin(eye, forward, kNear, kCornerCos);
    for (int east : {16, 32, 48, 64, 80, 96, 112, 127})
        for (int north : {111, 95, 79, 63, 47, 31, 15, 0})
            horizon.addOccluder(&sheet, 0, east, north, 127, 0.0f, 10.0f);
    const auto hidden = decide(horizon, {onDiagonal(60, 0, 2),    // low, behind: hidden
                                         onDiagonal(60, 0, 40),   // rises over the ridge
                                         onDiagonal(15, 0, 1),    // in front of the ridge
                                         onDiagonal(90, 0, 2)});  // farther behind: hidden
    EXPECT_EQ(hidden, (std::vector<char>{1, 0, 0, 1}));
}

TEST(Horizon, TheRasterisersRoomGrowsAsTheViewportShrinksOrItsSubPixelsCoarsen) {
    // A box whose top lies just under the sight line over the ridge (whose
    // last rectangle rim on the crest, row 48, stops rays up to a slope of
    // 8 / 43): hidden with the room of a large viewport, but not with that
    // of a tiny one or of coarse sub-pixels.
    const Sheet ridge(0.0, [](int n) { return n >= 40 && n <= 50 ? 10.0f : 0.0f; });
    const double eye[3] = {64.0, 2.0, -5.0}, forward[3] = {0.0, 0.0, -1.0};
    const double top = 2.0 + 75.0 * 0.1842;
    auto hiddenWith = [&](int width, int height, int subpixelBits) {
        Horizon horizon;
        horizon.begin(eye, forward, kNear, kCornerCos,
                      Horizon::rasterAngleSlack(width, height, 4.0 / 3.0, 1.0, subpixelBits));
        ridge.offer(horizon);
        return decide(horizon, {ahead(80, 96, 0, top)})[0];
    };
    EXPECT_TRUE(hiddenWith(1024, 768, 8));
    EXPECT_FALSE(hiddenWith(40, 30, 8));
    EXPECT_FALSE(hiddenWith(1024, 768, 2));
}
