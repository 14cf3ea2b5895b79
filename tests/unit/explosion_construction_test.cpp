#include <gtest/gtest.h>

#include "game/explosion.h"
#include "platform/random.h"

namespace {
// The next three draws after a seed, leaving the sequence at that seed.
struct Draws {
    int a, b, c;
};
Draws nextThree(unsigned seed) {
    rng::srand(seed);
    Draws d{rng::rand(), rng::rand(), rng::rand()};
    rng::srand(seed);
    return d;
}
}  // namespace

TEST(ExplosionConstruction, EmberDrawsPitchThenYawThenSpeed) {
    Draws d = nextThree(77);
    Explosion ember(Vec3{1, 2, 3}, 23);
    EXPECT_FLOAT_EQ(ember.pitch, static_cast<float>(d.a % 90 + 270));
    EXPECT_FLOAT_EQ(ember.yaw, static_cast<float>(d.b % 360));
    EXPECT_FLOAT_EQ(ember.speed, static_cast<float>(d.c % 10 + 3));
    EXPECT_FLOAT_EQ(ember.life, 40.0f);
    EXPECT_FLOAT_EQ(ember.position.y, 2.0f);
}

TEST(ExplosionConstruction, BurstsDrawNothing) {
    rng::srand(77);
    int first = rng::rand();
    rng::srand(77);
    Explosion burst(Vec3{}, 20);
    EXPECT_EQ(rng::rand(), first);
    EXPECT_FLOAT_EQ(burst.speed, 0.0f);
    EXPECT_EQ(burst.type, 20);
}

TEST(ExplosionFrames, FiveUnitsOfLifePerFrame) {
    Explosion burst(Vec3{}, 21);
    struct Case {
        float life;
        int frame;
    } cases[] = {{40, 1}, {35, 1}, {34.9f, 2}, {30, 2},    {29.5f, 3}, {20, 4},
                 {15, 5}, {10, 6}, {5, 7},     {4.99f, 8}, {0, 8},     {-0.5f, 8}};
    for (const Case& c : cases) {
        burst.life = c.life;
        EXPECT_EQ(burst.frame(), c.frame) << "life " << c.life;
    }
}
