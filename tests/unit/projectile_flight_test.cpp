#include <gtest/gtest.h>

#include <cmath>

#include "game/hit_test.h"
#include "platform/random.h"
#include "support/combat_fixture.h"

namespace {

class ProjectileFlight : public ::testing::Test {
protected:
    CombatState state;
};

}  // namespace

TEST_F(ProjectileFlight, PlayerShellIsUnarmedForFourStepsThenHitsAndSinks) {
    // A heavy unit sits across the whole path of the first five steps.
    EnemyUnit& heavy = state.addEnemy(3, EnemyKind::Heavy, Vec3{400.0f, 1.0f, 377.0f});
    Projectile shell(180.0f, 0.0f, Vec3{400.0f, 1.0f, 380.0f}, HitKind::PlayerShell, 5);
    const int expectedTimers[] = {4, 3, 2, 1};
    for (int expected : expectedTimers) {
        shell.step();
        EXPECT_EQ(shell.timer, expected);
        EXPECT_EQ(heavy.lastHit, 0);
    }
    EXPECT_NEAR(shell.position.z, 376.0f, 1e-4);
    EXPECT_EQ(GameStats.hit, 0);

    shell.step();  // armed: touches the unit
    EXPECT_EQ(heavy.lastHit, HitKind::PlayerShell);
    EXPECT_EQ(GameStats.hit, 1);
    EXPECT_FLOAT_EQ(shell.position.y, -100.0f);
    EXPECT_EQ(shell.timer, 1);

    shell.step();  // now below the ground: finished with an armed fuse
    EXPECT_EQ(shell.timer, -1);
    EXPECT_FLOAT_EQ(shell.position.y, -100.0f);
}

TEST_F(ProjectileFlight, SlowMotionShortensTheStepButNotTheFuse) {
    TimeScale = 30.0f;
    Projectile shell(90.0f, 0.0f, Vec3{300.0f, 1.0f, 400.0f}, HitKind::PlayerShell, 5);
    shell.step();
    EXPECT_EQ(shell.timer, 4);
    EXPECT_NEAR(shell.position.x, 300.3f, 1e-4);
}

TEST_F(ProjectileFlight, FinishesBeyondTwoHundredUnitsButNotAtExactlyTwoHundred) {
    Projectile atBound(0.0f, 0.0f, Vec3{400.0f, 0.0f, 200.0f}, HitKind::PlayerShell, 5);
    atBound.step();
    EXPECT_EQ(atBound.timer, 4);
    EXPECT_FLOAT_EQ(atBound.position.z, 201.0f);

    Projectile beyond(0.0f, 0.0f, Vec3{400.0f, 0.0f, 199.9f}, HitKind::PlayerShell, 5);
    beyond.step();
    EXPECT_EQ(beyond.timer, -10000);
    EXPECT_FLOAT_EQ(beyond.position.z, 199.9f);  // the position stays
}

TEST_F(ProjectileFlight, FinishTestUsesTheCurrentPositionNotTheNextOne) {
    // Heading down into the ground from 0.5 above it: the step is taken.
    Projectile shell(0.0f, 45.0f, Vec3{400.0f, 0.5f, 380.0f}, HitKind::PlayerShell, 5);
    shell.step();
    EXPECT_LT(shell.position.y, 0.0f);
    EXPECT_EQ(shell.timer, 4);
    shell.step();
    EXPECT_EQ(shell.timer, -10000);
}

TEST_F(ProjectileFlight, EarlyFinishIsMarkedSoItLeavesNoBurst) {
    // The fuse runs down before the finish test: a shell entering its step
    // with timer 3 (an enemy shell's 18th step) leaves with 2 and bursts; with
    // 4 (its 17th step) it ends quietly.
    const Vec3 underground{400.0f, -0.5f, 380.0f};
    struct Case {
        int timer, finished;
    } cases[] = {{0, -1}, {1, -1}, {2, -1}, {3, -1}, {4, -10000}, {20, -10000}};
    for (const Case& c : cases) {
        Projectile shell(0.0f, 0.0f, underground, HitKind::EnemyShell, c.timer);
        shell.step();
        EXPECT_EQ(shell.timer, c.finished) << "timer " << c.timer;
    }
}

TEST_F(ProjectileFlight, EnemyShellFliesTwoUnitsAndDropsItsPitch) {
    Projectile shell(90.0f, 350.0f, Vec3{300.0f, 10.0f, 400.0f}, HitKind::EnemyShell, 20);
    shell.step();
    EXPECT_FLOAT_EQ(shell.pitch, 350.75f);
    const float horizontal = shell.position.x - 300.0f;
    const float rise = shell.position.y - 10.0f;
    EXPECT_NEAR(std::sqrt(horizontal * horizontal + rise * rise), 2.0f, 1e-4);
    EXPECT_GT(rise, 0.0f);
    EXPECT_EQ(shell.timer, 19);
    // Past level the pitch is not wrapped; 360.25 points just as 0.25 does.
    shell.pitch = 359.5f;
    shell.step();
    EXPECT_FLOAT_EQ(shell.pitch, 360.25f);
}

TEST_F(ProjectileFlight, EnemyShellHitsThePlayerAndCountsIt) {
    Projectile shell(180.0f, 0.0f, Vec3{400.0f, 0.0f, 403.0f}, HitKind::EnemyShell, 1);
    shell.step();
    EXPECT_EQ(GameStats.hurt, 1);
    EXPECT_FLOAT_EQ(shell.position.y, -100.0f);
}

TEST_F(ProjectileFlight, MissileBelowCruisingHeightClimbsAboveItsOwnSpot) {
    AimPoint = Vec3{0.0f, 0.0f, 0.0f};
    Projectile missile(180.0f, 320.0f, Vec3{400.0f, 1.0f, 400.0f}, HitKind::PlayerMissile, 600);
    missile.step();
    EXPECT_FLOAT_EQ(AimPoint.x, 400.0f);
    EXPECT_FLOAT_EQ(AimPoint.y, 40.0f);
    EXPECT_FLOAT_EQ(AimPoint.z, 400.0f);
    EXPECT_FALSE(missile.climbed);
    EXPECT_FLOAT_EQ(missile.pitch, 317.0f);  // 3 degrees further up
    EXPECT_EQ(missile.timer, 599);
    // Moved with the heading from before the steering.
    EXPECT_GT(missile.position.y, 1.6f);
}

TEST_F(ProjectileFlight, MissileAtCruisingHeightHomesOnTheAimPoint) {
    AimPoint = Vec3{500.0f, 40.0f, 400.0f};  // due +x: yaw 90
    Projectile missile(180.0f, 0.0f, Vec3{400.0f, 40.0f, 400.0f}, HitKind::PlayerMissile, 600);
    missile.step();
    EXPECT_TRUE(missile.climbed);
    EXPECT_FLOAT_EQ(missile.yaw, 177.0f);
    EXPECT_FLOAT_EQ(missile.pitch, 0.0f);
    EXPECT_FLOAT_EQ(AimPoint.x, 500.0f);
    // Once climbed it homes even after dropping below 40.
    missile.position.y = 30.0f;
    missile.step();
    EXPECT_FLOAT_EQ(AimPoint.x, 500.0f);
    EXPECT_FLOAT_EQ(missile.yaw, 174.0f);
}

TEST_F(ProjectileFlight, MissileDoesNotSteerWhileTheAimPointsAtNothing) {
    AimPoint = Vec3{0.0f, -1.0f, 0.0f};
    Projectile missile(180.0f, 320.0f, Vec3{400.0f, 1.0f, 400.0f}, HitKind::PlayerMissile, 600);
    missile.step();
    missile.step();
    EXPECT_FLOAT_EQ(missile.yaw, 180.0f);
    EXPECT_FLOAT_EQ(missile.pitch, 320.0f);
    EXPECT_FALSE(missile.climbed);
    EXPECT_FLOAT_EQ(AimPoint.y, -1.0f);
}

TEST_F(ProjectileFlight, MissileMarksItsHitWithoutCountingIt) {
    EnemyUnit& heavy = state.addEnemy(0, EnemyKind::Heavy, Vec3{400.0f, 40.0f, 398.5f});
    AimPoint = Vec3{0.0f, -1.0f, 0.0f};
    Projectile missile(180.0f, 0.0f, Vec3{400.0f, 40.0f, 400.0f}, HitKind::PlayerMissile, 1);
    missile.step();
    EXPECT_EQ(heavy.lastHit, HitKind::PlayerMissile);
    EXPECT_EQ(GameStats.hit, 0);
}

TEST(ProjectileConstruction, StoresItsValuesAndDrawsOneSpinDivisor) {
    rng::srand(5);
    int expected = rng::rand() % 10;
    int after = rng::rand();
    rng::srand(5);
    Projectile shell(90.0f, 10.0f, Vec3{1, 2, 3}, 1, 5);
    EXPECT_EQ(shell.spinDivisor, expected);
    EXPECT_EQ(rng::rand(), after);
    EXPECT_FLOAT_EQ(shell.yaw, 90.0f);
    EXPECT_FLOAT_EQ(shell.pitch, 10.0f);
    EXPECT_FLOAT_EQ(shell.position.z, 3.0f);
    EXPECT_EQ(shell.kind, 1);
    EXPECT_EQ(shell.timer, 5);
    EXPECT_FALSE(shell.climbed);
}
