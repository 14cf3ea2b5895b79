#include <gtest/gtest.h>

#include "game/enemy_unit.h"

TEST(EnemyConstruction, KindsCarryTheirOwnNumbers) {
    EnemyUnit heavy(EnemyKind::Heavy, 5), tank(EnemyKind::Tank, 0), car(EnemyKind::Car, 9);
    EXPECT_EQ(heavy.health, 300);
    EXPECT_FLOAT_EQ(heavy.speed, 1.0f / 15.0f);
    EXPECT_FLOAT_EQ(heavy.radius, 3.0f);
    EXPECT_FLOAT_EQ(heavy.hullTurnRate, 1.0f / 9.0f);
    EXPECT_FLOAT_EQ(heavy.turretTurnRate, 5.0f / 6.0f);
    EXPECT_EQ(tank.health, 100);
    EXPECT_FLOAT_EQ(tank.speed, 1.0f / 9.0f);
    EXPECT_FLOAT_EQ(tank.radius, 2.0f);
    EXPECT_FLOAT_EQ(tank.turretTurnRate, 1.25f);
    EXPECT_EQ(car.health, 50);
    EXPECT_FLOAT_EQ(car.speed, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(car.hullTurnRate, 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(car.turretTurnRate, 2.5f);
    EXPECT_EQ(car.index, 9);
    EXPECT_EQ(car.kind, EnemyKind::Car);
    // Unplaced units wait above the ground at the origin.
    EXPECT_FLOAT_EQ(car.position.y, 20.0f);
    EXPECT_EQ(car.lastHit, 0);
    EXPECT_EQ(car.reload, 0);
    EXPECT_FLOAT_EQ(car.muzzleSpeed * 1.414f, 240.0f);
}

TEST(EnemyConstruction, UnknownKindHasNoKindValues) {
    EnemyUnit odd(static_cast<EnemyKind>(7), 1);
    EXPECT_EQ(odd.health, 0);
    EXPECT_FLOAT_EQ(odd.speed, 0.0f);
}
