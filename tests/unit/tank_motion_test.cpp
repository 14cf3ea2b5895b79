#include <gtest/gtest.h>

#include <cmath>

#include "game/hit_test.h"
#include "support/combat_fixture.h"

namespace {

class TankMotion : public ::testing::Test {
protected:
    CombatState state;
    PlayerTank& tank = *player;
};

}  // namespace

TEST_F(TankMotion, StartsAtItsPlaceWithGunsStraightAhead) {
    EXPECT_FLOAT_EQ(tank.position.x, 400.0f);
    EXPECT_FLOAT_EQ(tank.position.z, 400.0f);
    EXPECT_FLOAT_EQ(tank.hullHeading, 180.0f);
    EXPECT_FLOAT_EQ(tank.turretYawRel, 180.0f);
    EXPECT_FLOAT_EQ(tank.gunPitchRel, 0.0f);
    EXPECT_EQ(tank.radius, 2);
    EXPECT_FLOAT_EQ(tank.speed, 0.5f);
}

TEST_F(TankMotion, OneTickForwardAtNormalAndSlowSpeed) {
    tank.driveInput = 1;
    tank.update();
    EXPECT_NEAR(tank.position.x, 400.0f, 1e-4);
    EXPECT_FLOAT_EQ(tank.position.z, 399.5f);

    TimeScale = 30.0f;
    tank.update();
    EXPECT_NEAR(tank.position.z, 399.35f, 1e-4);
}

TEST_F(TankMotion, TurnsThreeDegreesPerTickAndTheOtherWayWhenReversing) {
    tank.turnInput = 180;  // left key
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 183.0f);  // standing still turns too
    tank.driveInput = 1;
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 186.0f);

    tank.driveInput = 2;
    const Vec3 before = tank.position;
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 183.0f);
    // Backward along the heading of 189 taken before the reversing correction.
    EXPECT_NEAR(tank.position.z - before.z, 0.5 * std::cos(9.0 * 0.01745329252), 1e-4);
    EXPECT_NEAR(tank.position.x - before.x, 0.5 * std::sin(9.0 * 0.01745329252), 1e-4);

    tank.turnInput = -180;  // right key, reversing
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 186.0f);
    tank.driveInput = 0;
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 183.0f);
}

TEST_F(TankMotion, TurningWrapsAcrossZero) {
    tank.hullHeading = 1.0f;
    tank.turnInput = -180;
    tank.update();
    EXPECT_FLOAT_EQ(tank.hullHeading, 358.0f);
}

TEST_F(TankMotion, RelativeAimFollowsTheHull) {
    tank.turretYaw = 200.0f;
    tank.gunPitch = 350.0f;
    tank.update();
    EXPECT_NEAR(tank.turretYawRel, 20.0f, 1e-3);
    EXPECT_NEAR(tank.gunPitchRel, 350.0f, 1e-3);
}

// Heading 135 moves by (+0.3536, -0.3536) each tick.
TEST_F(TankMotion, SlidesAlongABlockSideOnTheFreeAxis) {
    tank.hullHeading = 135.0f;
    tank.driveInput = 1;
    // A wall south of the tank: any move toward -z touches it, x moves are free.
    state.addBlock(0, Vec3{400.0f, 0.0f, 392.8f}, 100, 10, 10);
    tank.update();
    EXPECT_NEAR(tank.position.x, 400.0f + 0.35355f, 1e-4);
    EXPECT_FLOAT_EQ(tank.position.z, 400.0f);

    // A wall east of the tank instead: only z moves.
    blocks[0].reset();
    tank.position = Vec3{400.0f, 0.0f, 400.0f};
    state.addBlock(1, Vec3{407.2f, 0.0f, 400.0f}, 10, 100, 10);
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.x, 400.0f);
    EXPECT_NEAR(tank.position.z, 400.0f - 0.35355f, 1e-4);
}

TEST_F(TankMotion, AtACornerTheMoveAlongZAloneIsTaken) {
    tank.hullHeading = 135.0f;
    tank.driveInput = 1;
    // Only the diagonal move reaches the block's corner.
    state.addBlock(0, Vec3{407.2f, 0.0f, 392.8f}, 10, 10, 10);
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.x, 400.0f);
    EXPECT_NEAR(tank.position.z, 400.0f - 0.35355f, 1e-4);
}

TEST_F(TankMotion, BlockedOnBothAxesStaysButStillTurns) {
    tank.hullHeading = 132.0f;
    tank.turnInput = 180;
    tank.driveInput = 1;
    state.addBlock(0, Vec3{400.0f, 0.0f, 392.8f}, 100, 10, 10);
    state.addBlock(1, Vec3{407.2f, 0.0f, 400.0f}, 10, 100, 10);
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.x, 400.0f);
    EXPECT_FLOAT_EQ(tank.position.z, 400.0f);
    EXPECT_FLOAT_EQ(tank.hullHeading, 135.0f);
}

TEST_F(TankMotion, EnemiesBlockTheHull) {
    tank.driveInput = 1;
    state.addEnemy(0, EnemyKind::Tank, Vec3{400.0f, 0.0f, 395.0f});  // 5 ahead, radius sum 4
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.z, 399.5f);
    tank.update();  // 4.0 away touches
    EXPECT_FLOAT_EQ(tank.position.z, 399.5f);
    EXPECT_EQ(enemies[0]->lastHit, 0);
}

TEST_F(TankMotion, StandingStillKeepsItsHeightUntilItMoves) {
    tank.position.y = 5.0f;
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.y, 5.0f);
    tank.driveInput = 1;
    tank.update();
    EXPECT_FLOAT_EQ(tank.position.y, 0.0f);
}
