#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/game_tick.h"
#include "app/input.h"
#include "game/hit_test.h"
#include "platform/console.h"
#include "support/combat_fixture.h"

namespace {

struct FightResult {
    GameStatsRecord stats;
    std::vector<Vec3> enemyPositions;
    std::vector<int> enemyHealth;
    std::vector<int> enemyKinds;
    Vec3 playerPosition;
    float playerHeading = 0.0f;
    int liveProjectiles = 0;
    int liveExplosions = 0;
    std::string healthLines;
};

// Ten units placed as at level start, the tank moved in among them, then
// 400 ticks of driving, turning and shooting at the nearest unit, with a
// missile on tick 120 and slow motion from tick 300.
FightResult runFight() {
    CombatState state;
    std::ostringstream lines;
    setConsoleStream(&lines);
    state.placeFightersForScript();

    for (int tick = 0; tick < 400; ++tick) {
        state.scriptTick(tick);
        state.scriptShots(tick);
        gameTick();
    }

    FightResult result;
    result.stats = GameStats;
    for (const auto& unit : enemies) {
        result.enemyPositions.push_back(unit->position);
        result.enemyHealth.push_back(unit->health);
        result.enemyKinds.push_back(static_cast<int>(unit->kind));
    }
    result.playerPosition = player->position;
    result.playerHeading = player->hullHeading;
    for (const auto& slot : projectiles) result.liveProjectiles += slot ? 1 : 0;
    for (const auto& slot : explosions) result.liveExplosions += slot ? 1 : 0;
    result.healthLines = lines.str();
    setConsoleStream(nullptr);
    return result;
}

}  // namespace

TEST(GoldenFight, TheSameScriptGivesTheSameFight) {
    const FightResult first = runFight();
    const FightResult second = runFight();
    EXPECT_EQ(first.stats.hurt, second.stats.hurt);
    EXPECT_EQ(first.stats.killed, second.stats.killed);
    EXPECT_EQ(first.stats.fired, second.stats.fired);
    EXPECT_EQ(first.stats.hit, second.stats.hit);
    EXPECT_EQ(first.enemyHealth, second.enemyHealth);
    for (int i = 0; i < kEnemyCount; ++i) {
        EXPECT_EQ(first.enemyPositions[i].x, second.enemyPositions[i].x) << i;
        EXPECT_EQ(first.enemyPositions[i].z, second.enemyPositions[i].z) << i;
    }
    EXPECT_EQ(first.playerPosition.x, second.playerPosition.x);
    EXPECT_EQ(first.playerPosition.z, second.playerPosition.z);
    EXPECT_EQ(first.healthLines, second.healthLines);
    EXPECT_EQ(first.liveProjectiles, second.liveProjectiles);
    EXPECT_EQ(first.liveExplosions, second.liveExplosions);
}

TEST(GoldenFight, OutcomeOfTheScriptedFight) {
    const FightResult fight = runFight();
    // 400 ticks with a shell every 8th; twelve of them reached the tank in
    // slot 4, the nearest unit, which died on the twelfth (100 - 12 * 9).
    EXPECT_EQ(fight.stats.fired, 50);
    EXPECT_EQ(fight.stats.hit, 12);
    EXPECT_EQ(fight.stats.killed, 1);
    EXPECT_EQ(fight.stats.hurt, 1);
    EXPECT_EQ(fight.healthLines, "91\n82\n73\n64\n55\n46\n37\n28\n19\n10\n1\n-8\n");
    // Its successor is a fresh tank; nobody else was touched.
    EXPECT_EQ(fight.enemyKinds, (std::vector<int>{12, 12, 12, 12, 12, 11, 11, 11, 13, 13}));
    EXPECT_EQ(fight.enemyHealth,
              (std::vector<int>{100, 100, 100, 100, 100, 300, 300, 300, 50, 50}));
    // The tank drove unhindered: 60 ticks at 225, 15 ticks turning to 270,
    // 75 more ticks forward and 50 back, half a unit each.
    EXPECT_FLOAT_EQ(fight.playerHeading, 270.0f);
    EXPECT_NEAR(fight.playerPosition.x, 19.4627f, 1e-3);
    EXPECT_NEAR(fight.playerPosition.z, 36.1673f, 1e-3);
}

TEST(GoldenFight, FirstHitsAndFirstDeathWorkedOutByHand) {
    // The tank at (400, 0, 400) fires one level shell straight down -z before
    // every tick; a car stands 20 units ahead, facing it, alone on flat ground.
    //   Shell k (fired before tick k + 1) is armed from its fifth step; in tick
    //   t its next point is z = 400 - (t - k), at height 1.
    //   The car moves 1/3 toward the tank in its own tick, after the shells,
    //   so in tick t it stands at z = 380 + (t - 1) / 3.
    //   Radius 2, height difference 1: a touch when the z gap is at most
    //   sqrt(3) = 1.73. Gap = (4t - 61) / 3 - k.
    //   k = 0: t = 14 (gap -1.67); k = 1: t = 15 (-1.33); k = 2: t = 16 (-1);
    //   k = 3 and k = 4 both in t = 17 (-0.67, -1.67): two hits, one damage;
    //   k = 5: t = 18 (-1.33); k = 6: t = 19 (-1).
    //   The damage is taken in the car's tick of the same tick: 50 - 9 per
    //   tick gives 41, 32, 23, 14, 5, -4, and at -4 the car dies in tick 19.
    CombatState state;
    std::ostringstream lines;
    setConsoleStream(&lines);
    player->turretYaw = 180.0f;
    player->gunPitch = 0.0f;
    EnemyUnit& car = state.addEnemy(8, EnemyKind::Car, Vec3{400.0f, 0.0f, 380.0f});
    car.hullHeading = 0.0f;
    std::vector<int> hitsAfterTick(21), killedAfterTick(21);
    for (int tick = 1; tick <= 20; ++tick) {
        fireShell();
        CombatState::clockMs += 22;
        gameTick();
        hitsAfterTick[tick] = GameStats.hit;
        killedAfterTick[tick] = GameStats.killed;
    }
    setConsoleStream(nullptr);
    EXPECT_EQ(hitsAfterTick[13], 0);
    EXPECT_EQ(hitsAfterTick[14], 1);
    EXPECT_EQ(hitsAfterTick[16], 3);
    EXPECT_EQ(hitsAfterTick[17], 5);
    EXPECT_EQ(hitsAfterTick[19], 7);
    EXPECT_EQ(killedAfterTick[18], 0);
    EXPECT_EQ(killedAfterTick[19], 1);
    EXPECT_EQ(lines.str(), "41\n32\n23\n14\n5\n-4\n");
    // The slot holds a fresh car somewhere else.
    ASSERT_TRUE(enemies[8]);
    EXPECT_EQ(enemies[8]->health, 50);
}
