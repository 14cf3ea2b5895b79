#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/combat_fixture.h"

namespace {

class ExplosionMotion : public ::testing::Test {
protected:
    CombatState state;
};

// Ticks spent in each burst frame until the life drops below 0.
std::vector<int> ticksPerFrame(float timeScale) {
    TimeScale = timeScale;
    Explosion burst(Vec3{}, 20);
    std::vector<int> ticks(9, 0);
    while (burst.life >= 0.0f) {
        ++ticks[burst.frame()];
        burst.step();
    }
    return ticks;
}

}  // namespace

TEST_F(ExplosionMotion, BurstShowsEachFrameForFiveUnitsOfLife) {
    // At normal speed: life 40..35 is frame 1 (six ticks), then five each;
    // frame 8 covers 4..0.
    EXPECT_EQ(ticksPerFrame(100.0f), (std::vector<int>{0, 6, 5, 5, 5, 5, 5, 5, 5}));
    // In slow motion each frame lasts about 17 ticks.
    const std::vector<int> slow = ticksPerFrame(30.0f);
    for (int frame = 1; frame <= 8; ++frame) {
        EXPECT_GE(slow[frame], 16) << "frame " << frame;
        EXPECT_LE(slow[frame], 18) << "frame " << frame;
    }
}

TEST_F(ExplosionMotion, BurstsDoNotMove) {
    Explosion burst(Vec3{1, 2, 3}, 22);
    burst.step();
    EXPECT_FLOAT_EQ(burst.position.x, 1.0f);
    EXPECT_FLOAT_EQ(burst.position.y, 2.0f);
    EXPECT_FLOAT_EQ(burst.life, 39.0f);
}

TEST_F(ExplosionMotion, EmberFliesAlongItsHeadingAndDrops) {
    Explosion ember(Vec3{10.0f, 5.0f, 10.0f}, 23);
    ember.yaw = 90.0f;   // toward +x
    ember.pitch = 0.0f;  // level
    ember.speed = 6.0f;  // 6/60 = 0.1 per tick
    ember.step();
    EXPECT_NEAR(ember.position.x, 10.1f, 1e-5);
    EXPECT_NEAR(ember.position.y, 5.0f - 1.0f / 30.0f, 1e-5);
    EXPECT_FLOAT_EQ(ember.position.z, 10.0f);
    // The new heading is the way it moved: still +x, now a little downward.
    EXPECT_NEAR(ember.yaw, 90.0f, 1e-3);
    EXPECT_NEAR(ember.pitch, std::atan(1.0 / 3.0) * 57.29578, 1e-3);
    EXPECT_FLOAT_EQ(ember.life, 39.0f);

    // Its path keeps bending down.
    const float before = ember.pitch;
    ember.step();
    EXPECT_GT(ember.pitch, before);
    EXPECT_LT(ember.pitch, 90.0f);
}

TEST_F(ExplosionMotion, EmberThrownUpwardRisesThenCurvesOver) {
    Explosion ember(Vec3{0.0f, 0.0f, 0.0f}, 23);
    ember.yaw = 0.0f;
    ember.pitch = 300.0f;  // 60 degrees up
    ember.speed = 12.0f;
    float highest = 0.0f;
    for (int tick = 0; tick < 40; ++tick) {
        ember.step();
        highest = std::max(highest, ember.position.y);
    }
    EXPECT_GT(highest, 0.5f);
    EXPECT_GT(ember.position.z, 1.0f);
    EXPECT_GT(ember.pitch, 0.0f);  // heading downward by now
    EXPECT_LT(ember.pitch, 90.0f);
}
