#include "game/hit_test.h"

#include <gtest/gtest.h>

#include "app/globals.h"

namespace {

// Empties the tables the hit test reads and resets the counters.
class HitTestTables : public ::testing::Test {
protected:
    void SetUp() override { clearAll(); }
    void TearDown() override { clearAll(); }

    static void clearAll() {
        for (auto& b : blocks) b.reset();
        for (auto& e : enemies) e.reset();
        player.reset();
        GameStats = GameStatsRecord{};
    }

    static WorldProp& addBlock(int slot, float x, float y, float z, int sx, int sz, int sy) {
        blocks[slot] = std::make_unique<WorldProp>();
        WorldProp& b = *blocks[slot];
        b.x = x;
        b.y = y;
        b.z = z;
        b.sizeX = sx;
        b.sizeZ = sz;
        b.sizeY = sy;
        b.kind = 40;
        return b;
    }

    static EnemyUnit& addEnemy(int slot, Vec3 position, float radius) {
        enemies[slot] = std::make_unique<EnemyUnit>(EnemyKind::Tank, slot);
        enemies[slot]->position = position;
        enemies[slot]->radius = radius;
        return *enemies[slot];
    }

    static PlayerTank& addPlayer(Vec3 position) {
        player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
        player->position = position;
        return *player;
    }
};

}  // namespace

TEST_F(HitTestTables, EmptyTablesTouchNothing) {
    EXPECT_FALSE(hitTest({0, 0, 0}, 5.0f, HitKind::PlayerShell, -1));
    EXPECT_FALSE(hitTest({0, 0, 0}, 5.0f, HitKind::EnemyShell, -1));
}

TEST_F(HitTestTables, BlockFacesAreInclusiveAndHalfSizesTruncate) {
    addBlock(3, 100, 10, 50, 21, 20, 8);  // half sizes 10 and 10
    EXPECT_TRUE(hitTest({110, 12, 50}, 0, HitKind::PlayerShell, -1));
    EXPECT_FALSE(hitTest({110.01f, 12, 50}, 0, HitKind::PlayerShell, -1));
    EXPECT_TRUE(hitTest({90, 12, 40}, 0, HitKind::PlayerShell, -1));
    EXPECT_TRUE(hitTest({112, 12, 50}, 2, HitKind::PlayerShell, -1));  // expanded by r
    EXPECT_TRUE(hitTest({100, 18, 60}, 0, HitKind::PlayerShell, -1));  // top face
    EXPECT_TRUE(hitTest({100, 8, 50}, 2, HitKind::PlayerShell, -1));   // below the base by r
    EXPECT_FALSE(hitTest({100, 7.9f, 50}, 2, HitKind::PlayerShell, -1));
    EXPECT_FALSE(hitTest({100, 18.5f, 50}, 0, HitKind::PlayerShell, -1));
    EXPECT_EQ(GameStats.hit, 0);  // blocks record nothing
}

TEST_F(HitTestTables, HitKindsRecordIntoTheTouchedEnemyAndTheCounters) {
    EnemyUnit& three = addEnemy(3, {10, 0, 10}, 2.0f);
    EnemyUnit& five = addEnemy(5, {50, 0, 50}, 2.0f);

    EXPECT_TRUE(hitTest({11, 0, 10}, 0, HitKind::PlayerShell, -1));
    EXPECT_EQ(three.lastHit, HitKind::PlayerShell);
    EXPECT_EQ(GameStats.hit, 1);

    EXPECT_TRUE(hitTest({50, 0, 52}, 0, HitKind::PlayerMissile, -1));  // exactly at the radius
    EXPECT_EQ(five.lastHit, HitKind::PlayerMissile);
    EXPECT_EQ(GameStats.hit, 1);

    EXPECT_TRUE(hitTest({10, 1, 10}, 0, HitKind::EnemyShell, 7));
    EXPECT_EQ(three.lastHit, HitKind::EnemyShell);
    EXPECT_EQ(GameStats.hurt, 0);

    // A hull test records nothing.
    three.lastHit = 0;
    EXPECT_TRUE(hitTest({13, 0, 10}, 2.0f, EnemyKind::Car, 1));
    EXPECT_EQ(three.lastHit, 0);
    EXPECT_FALSE(hitTest({20, 0, 10}, 2.0f, EnemyKind::Car, 1));
}

TEST_F(HitTestTables, TheFirstTouchedEnemyInSlotOrderWins) {
    EnemyUnit& late = addEnemy(7, {0, 0, 0}, 3.0f);
    EnemyUnit& early = addEnemy(2, {1, 0, 0}, 3.0f);
    EXPECT_TRUE(hitTest({0.5f, 0, 0}, 0, HitKind::PlayerShell, -1));
    EXPECT_EQ(early.lastHit, HitKind::PlayerShell);
    EXPECT_EQ(late.lastHit, 0);
    EXPECT_EQ(GameStats.hit, 1);
}

TEST_F(HitTestTables, AHullNeverTouchesItselfOrThePlayerItsOwnBody) {
    addEnemy(4, {0, 0, 0}, 3.0f);
    EXPECT_FALSE(hitTest({0, 0, 0}, 3.0f, EnemyKind::Heavy, 4));
    EXPECT_TRUE(hitTest({0, 0, 0}, 3.0f, EnemyKind::Heavy, 5));

    addPlayer({100, 0, 100});
    EXPECT_FALSE(hitTest({100, 0, 100}, 2.0f, HitKind::PlayerBody, -1));
    EXPECT_TRUE(hitTest({100, 0, 100}, 2.0f, EnemyKind::Tank, 1));
    EXPECT_EQ(GameStats.hurt, 0);
}

TEST_F(HitTestTables, EnemyShellsHurtThePlayer) {
    addPlayer({100, 0, 100});  // radius 2
    EXPECT_TRUE(hitTest({102, 0, 100}, 0, HitKind::EnemyShell, -1));
    EXPECT_EQ(GameStats.hurt, 1);
    EXPECT_FALSE(hitTest({102.5f, 0, 100}, 0, HitKind::EnemyShell, -1));
    EXPECT_EQ(GameStats.hurt, 1);
    // The player's own shell touching the tank counts nothing.
    EXPECT_TRUE(hitTest({101, 0, 100}, 0, HitKind::PlayerShell, -1));
    EXPECT_EQ(GameStats.hurt, 1);
    EXPECT_EQ(GameStats.hit, 0);
}

TEST_F(HitTestTables, ABlockWinsOverAnOverlappingEnemy) {
    EnemyUnit& enemy = addEnemy(0, {0, 0, 0}, 5.0f);
    addBlock(9, 0, -1, 0, 4, 4, 4);
    EXPECT_TRUE(hitTest({0, 0, 0}, 0, HitKind::PlayerShell, -1));
    EXPECT_EQ(enemy.lastHit, 0);
    EXPECT_EQ(GameStats.hit, 0);
}
