#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/game_frame.h"
#include "game/hit_test.h"
#include "platform/console.h"
#include "platform/random.h"
#include "support/combat_fixture.h"

namespace {

class EnemyCombat : public ::testing::Test {
protected:
    EnemyCombat() { setConsoleStream(&out); }
    ~EnemyCombat() override { setConsoleStream(nullptr); }

    // Hits the unit with a projectile kind and runs its next tick.
    void hitAndTick(EnemyUnit& unit, int kind) {
        unit.lastHit = kind;
        unit.tick();
    }

    CombatState state;
    std::ostringstream out;
};

}  // namespace

TEST_F(EnemyCombat, DamageByHitKindWithZeroStillAlive) {
    EnemyUnit& car = state.addEnemy(8, EnemyKind::Car, Vec3{100.0f, 0.0f, 100.0f});
    for (int shot = 0; shot < 5; ++shot) hitAndTick(car, HitKind::PlayerShell);
    EXPECT_EQ(car.health, 5);
    EXPECT_EQ(out.str(), "41\n32\n23\n14\n5\n");
    EXPECT_EQ(car.lastHit, 0);
    EXPECT_EQ(enemies[8].get(), &car);

    car.health = 9;
    hitAndTick(car, HitKind::PlayerShell);
    EXPECT_EQ(car.health, 0);
    EXPECT_EQ(enemies[8].get(), &car);  // 0 is alive
    EXPECT_EQ(GameStats.killed, 0);

    EnemyUnit& tank = state.addEnemy(0, EnemyKind::Tank, Vec3{100.0f, 0.0f, 150.0f});
    hitAndTick(tank, HitKind::EnemyShell);
    EXPECT_EQ(tank.health, 85);
    hitAndTick(tank, 3);  // not a projectile kind: no damage, but a line
    EXPECT_EQ(tank.health, 85);
    EXPECT_EQ(tank.lastHit, 0);

    // Enemy shells take 15 a hit from a tank: 70, 55, 40, 25, 10 still
    // fight; the seventh hit leaves -5, below zero, and the tank dies there.
    for (int shot = 2; shot <= 6; ++shot) hitAndTick(tank, HitKind::EnemyShell);
    EXPECT_EQ(tank.health, 10);
    EXPECT_EQ(enemies[0].get(), &tank);
    hitAndTick(tank, HitKind::EnemyShell);
    EXPECT_EQ(tank.health, -5);
    EXPECT_NE(enemies[0].get(), &tank);
    EXPECT_EQ(GameStats.killed, 1);
    EXPECT_EQ(out.str(), "41\n32\n23\n14\n5\n0\n85\n85\n70\n55\n40\n25\n10\n-5\n");
}

TEST_F(EnemyCombat, BelowZeroTheUnitExplodesAndAFreshOneTakesItsSlot) {
    EnemyUnit& heavy = state.addEnemy(7, EnemyKind::Heavy, Vec3{-100.0f, 0.0f, -120.0f});
    heavy.reload = 5;
    hitAndTick(heavy, HitKind::PlayerMissile);
    EXPECT_EQ(out.str(), "-700\n");
    EXPECT_EQ(GameStats.killed, 1);

    // The old unit waits in the retired table; it still ran its tick.
    ASSERT_EQ(retiredEnemies[7].get(), &heavy);
    EXPECT_EQ(heavy.reload, 4);

    ASSERT_TRUE(enemies[7]);
    EnemyUnit& fresh = *enemies[7];
    EXPECT_EQ(fresh.kind, EnemyKind::Heavy);
    EXPECT_EQ(fresh.index, 7);
    EXPECT_EQ(fresh.health, 300);
    EXPECT_FLOAT_EQ(fresh.position.y, 0.0f);
    EXPECT_GE(fresh.position.x, -250.0f);
    EXPECT_LE(fresh.position.x, 22.0f);

    ASSERT_TRUE(explosions[0]);
    EXPECT_EQ(explosions[0]->type, 20);
    EXPECT_FLOAT_EQ(explosions[0]->position.x, -100.0f);
    EXPECT_FLOAT_EQ(explosions[0]->position.z, -120.0f);

    // The picking name of slot 7 is still 17: a pick of it aims at the
    // newcomer, not at where the old unit stood.
    const std::uint32_t record[] = {1, 0, 0xFFFFFFFFu, 17};
    resolvePick(1, record, 4);
    EXPECT_EQ(AimPoint.x, fresh.position.x);
    EXPECT_EQ(AimPoint.z, fresh.position.z);
}

TEST_F(EnemyCombat, DeathWithAllExplosionSlotsBusyStillReplacesAndCounts) {
    for (auto& slot : explosions) slot = std::make_unique<Explosion>(Vec3{}, 21);
    EnemyUnit& car = state.addEnemy(9, EnemyKind::Car, Vec3{-100.0f, 0.0f, -120.0f});
    car.health = 3;
    hitAndTick(car, HitKind::EnemyShell);
    EXPECT_EQ(GameStats.killed, 1);
    EXPECT_NE(enemies[9].get(), &car);
    for (auto& slot : explosions) EXPECT_EQ(slot->type, 21);
}

TEST_F(EnemyCombat, TwoHitsInOneTickApplyOnlyTheLaterKind) {
    EnemyUnit& tank = state.addEnemy(2, EnemyKind::Tank, Vec3{100.0f, 0.0f, 100.0f});
    EXPECT_TRUE(hitTest(tank.position, 0.0f, HitKind::PlayerShell, -1));
    EXPECT_TRUE(hitTest(tank.position, 0.0f, HitKind::EnemyShell, -1));
    EXPECT_EQ(GameStats.hit, 1);
    tank.tick();
    EXPECT_EQ(tank.health, 85);
    EXPECT_EQ(out.str(), "85\n");
}

TEST_F(EnemyCombat, ElevationFollowsTheRange) {
    EnemyUnit& tank = state.addEnemy(0, EnemyKind::Tank, Vec3{400.0f, 0.0f, 300.0f});
    EXPECT_NEAR(ballisticElevation(tank), 17.13, 0.01);
    tank.position = Vec3{400.0f, 0.0f, 160.0f};
    EXPECT_NEAR(ballisticElevation(tank), 45.0, 0.02);
    tank.position = Vec3{400.0f, 0.0f, 159.0f};
    EXPECT_FLOAT_EQ(ballisticElevation(tank), 0.0f);
    tank.position = player->position;
    EXPECT_FLOAT_EQ(ballisticElevation(tank), 0.0f);
}

namespace {
// A unit straight south of the player, turret and hull laid on it.
EnemyUnit& laidUnit(CombatState& state, float distance) {
    EnemyUnit& tank = state.addEnemy(0, EnemyKind::Tank, Vec3{400.0f, 0.0f, 400.0f - distance});
    tank.turretYaw = tank.hullHeading = 0.0f;
    return tank;
}
}  // namespace

TEST_F(EnemyCombat, FiresAt240ButNotAt241) {
    EnemyUnit& near = laidUnit(state, 240.0f);
    near.tick();  // lays the gun for the range; no elevation yet
    EXPECT_FALSE(projectiles[40]);
    EXPECT_NEAR(near.elevation, 45.0f, 0.1f);
    const float aimPitch = near.aimPitch;
    near.tick();
    ASSERT_TRUE(projectiles[40]);
    EXPECT_EQ(projectiles[40]->kind, HitKind::EnemyShell);
    EXPECT_EQ(projectiles[40]->timer, 20);
    EXPECT_FLOAT_EQ(projectiles[40]->pitch, aimPitch);
    EXPECT_FLOAT_EQ(projectiles[40]->yaw, 0.0f);
    EXPECT_EQ(near.reload, 60);
    // Fired from more than 200 units away, the shell ends on its first step
    // where it stands, quietly (no burst).
    const Vec3 muzzle = projectiles[40]->position;
    projectiles[40]->step();
    EXPECT_EQ(projectiles[40]->timer, -10000);
    EXPECT_EQ(projectiles[40]->position.z, muzzle.z);
    projectiles[40].reset();

    // The reload runs down one per tick before it may fire again.
    for (int tick = 0; tick < 59; ++tick) near.tick();
    EXPECT_EQ(near.reload, 1);
    EXPECT_FALSE(projectiles[40]);
    near.tick();
    EXPECT_TRUE(projectiles[40]);

    resetGameState();
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    EnemyUnit& far = laidUnit(state, 241.0f);
    for (int tick = 0; tick < 5; ++tick) far.tick();
    EXPECT_FLOAT_EQ(far.elevation, 0.0f);
    for (auto& slot : projectiles) EXPECT_FALSE(slot);
}

TEST_F(EnemyCombat, FullShellSlotsLoseTheShotButStillReload) {
    for (int slot = kEnemyShellFirst; slot <= kEnemyShellLast; ++slot)
        projectiles[slot] =
            std::make_unique<Projectile>(0.0f, 0.0f, Vec3{}, HitKind::EnemyShell, 20);
    EnemyUnit& near = laidUnit(state, 100.0f);
    near.tick();
    near.tick();
    EXPECT_EQ(near.reload, 60);
    EXPECT_FALSE(projectiles[39]);
}

TEST_F(EnemyCombat, TurretAndHullTurnTowardThePlayerAtTheirRates) {
    // The player lies due north (+z): yaw 0.
    EnemyUnit& car = state.addEnemy(8, EnemyKind::Car, Vec3{400.0f, 0.0f, 300.0f});
    car.turretYaw = 90.0f;
    car.hullHeading = 350.0f;
    car.tick();
    EXPECT_FLOAT_EQ(car.turretYaw, 87.5f);
    EXPECT_NEAR(car.hullHeading, 350.0f + 1.0f / 3.0f, 1e-4);
    EXPECT_FLOAT_EQ(car.targetYaw, 0.0f);
}

TEST_F(EnemyCombat, BlockedOnBothTriesStaysAndSwingsTheHull) {
    // Touching the player's hull: radius sum 4.
    EnemyUnit& tank = laidUnit(state, 4.0f);
    tank.tick();
    EXPECT_FLOAT_EQ(tank.position.z, 396.0f);
    EXPECT_NEAR(tank.hullHeading, 2.0f / 6.0f, 1e-5);
}

TEST_F(EnemyCombat, DetourTakesTheOtherTurnAndThenTurnsOneStepDown) {
    // The player lies at yaw 45; the hull at 50 turns to 49.667. Its step
    // would reach z 0.2157, the detour along yaw 50 only z 0.2143; the
    // block's reach starts at z 0.215.
    EnemyUnit& car = state.addEnemy(8, EnemyKind::Car, Vec3{0.0f, 0.0f, 0.0f});
    car.hullHeading = 50.0f;
    state.addBlock(0, Vec3{0.0f, 0.0f, 7.215f}, 100, 10, 10);
    car.tick();
    EXPECT_NEAR(car.hullHeading, 50.0f - 2.0f / 3.0f, 1e-4);
    EXPECT_NEAR(car.position.x, std::sin(50.0 * 0.017453292) / 3.0, 1e-5);
    EXPECT_NEAR(car.position.z, std::cos(50.0 * 0.017453292) / 3.0, 1e-5);
}

TEST_F(EnemyCombat, SpawnPointsKeepAwayFromThePlayerAtTheStart) {
    for (int ms = 0; ms < 300; ++ms) {
        CombatState::clockMs = ms * 7;
        const Vec3 p = spawnPoint(500);
        EXPECT_GE(p.x, -250.0f);
        EXPECT_LE(p.x, 22.0f);
        EXPECT_GE(p.z, -250.0f);
        EXPECT_LE(p.z, 22.0f);
        EXPECT_FLOAT_EQ(p.y, 0.0f);
    }
}

TEST_F(EnemyCombat, SpawnPointReseedsFromTheClock) {
    CombatState::clockMs = 4242;
    const Vec3 a = spawnPoint(500);
    rng::srand(1);
    const Vec3 b = spawnPoint(500);
    EXPECT_FLOAT_EQ(a.x, b.x);
    EXPECT_FLOAT_EQ(a.z, b.z);
}

TEST_F(EnemyCombat, PlacementOnAStoppedClockStillFindsAFreePlace) {
    // Ten units placed within one millisecond: each first try lands on the
    // same point, so all but the first must draw on.
    for (int slot = 0; slot < kEnemyCount; ++slot) {
        state.addEnemy(slot,
                       slot < 5   ? EnemyKind::Tank
                       : slot < 8 ? EnemyKind::Heavy
                                  : EnemyKind::Car,
                       Vec3{0.0f, 20.0f, 0.0f});
    }
    for (auto& unit : enemies) unit->place();
    const Vec3 first = spawnPoint(500);
    EXPECT_FLOAT_EQ(enemies[0]->position.x, first.x);
    EXPECT_FLOAT_EQ(enemies[0]->position.z, first.z);
    for (int a = 0; a < kEnemyCount; ++a) {
        EXPECT_FLOAT_EQ(enemies[a]->position.y, 0.0f);
        for (int b = a + 1; b < kEnemyCount; ++b) {
            const float d = vecLength(vecSub(enemies[a]->position, enemies[b]->position));
            EXPECT_GT(d, enemies[a]->radius + enemies[b]->radius) << a << " and " << b;
        }
    }
}
