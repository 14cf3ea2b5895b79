// The game tick's life cycle of explosion and projectile slots.
#include "game/game_tick.h"
#include "support/shell_fixture.h"

namespace {
std::unique_ptr<Projectile> finished(int kind, int timer, Vec3 at = {1.0f, 2.0f, 3.0f}) {
    auto p = std::make_unique<Projectile>(0.0f, 0.0f, at, kind, 0);
    p->timer = timer;
    return p;
}

std::unique_ptr<Explosion> burst(float life) {
    auto e = std::make_unique<Explosion>(Vec3{}, 20);
    e->life = life;
    return e;
}
}  // namespace

using Tick = ShellTest;

TEST_F(Tick, AFinishedMissileLeavesOneGreenBurstInTheLowestFreeSlot) {
    explosions[0] = burst(10.0f);
    projectiles[30] = finished(2, -1, {7.0f, 8.0f, 9.0f});
    gameTick();
    EXPECT_FALSE(projectiles[30]);
    ASSERT_TRUE(explosions[1]);
    EXPECT_EQ(explosions[1]->type, 21);
    EXPECT_EQ(explosions[1]->position.x, 7.0f);
    EXPECT_EQ(explosions[1]->life, 40.0f);  // first stepped on the next tick
    int bursts = 0;
    for (auto& e : explosions) bursts += e && e->type == 21;
    EXPECT_EQ(bursts, 1);
}

TEST_F(Tick, EnemyShellsBurstOrangeUnlessEndedQuietly) {
    projectiles[40] = finished(4, -1);
    projectiles[41] = finished(4, -10000);
    projectiles[0] = finished(1, -1);
    gameTick();
    EXPECT_FALSE(projectiles[40]);
    EXPECT_FALSE(projectiles[41]);
    EXPECT_FALSE(projectiles[0]);
    ASSERT_TRUE(explosions[0]);
    EXPECT_EQ(explosions[0]->type, 22);
    EXPECT_FALSE(explosions[1]);
}

TEST_F(Tick, AFinishedExplosionFreesItsSlotForABurstOfTheSameTick) {
    explosions[0] = burst(-0.5f);
    explosions[1] = burst(20.0f);
    projectiles[31] = finished(2, -3);
    gameTick();
    ASSERT_TRUE(explosions[0]);
    EXPECT_EQ(explosions[0]->type, 21);
    EXPECT_EQ(explosions[0]->life, 40.0f);
}

TEST_F(Tick, WithEveryExplosionSlotBusyTheProjectileStillGoes) {
    for (auto& e : explosions) e = burst(30.0f);
    projectiles[30] = finished(2, -1);
    gameTick();
    EXPECT_FALSE(projectiles[30]);
    for (auto& e : explosions) EXPECT_NE(e->type, 21);
}

TEST_F(Tick, LiveProjectilesStayAndRetiredEnemiesAreReleased) {
    projectiles[5] = finished(1, 3);
    retiredEnemies[4] = std::make_unique<EnemyUnit>(EnemyKind::Tank, 4);
    gameTick();
    EXPECT_TRUE(projectiles[5]);
    EXPECT_FALSE(retiredEnemies[4]);
}
