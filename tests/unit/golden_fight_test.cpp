#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "game/hit_test.h"
#include "platform/console.h"
#include "platform/random.h"
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

// One game tick in the game's order: explosions, projectiles, enemies, tank.
void simulationTick() {
    for (auto& slot : explosions) {
        if (!slot) continue;
        if (slot->life < 0.0f)
            slot.reset();
        else
            slot->step();
    }
    for (auto& slot : projectiles) {
        if (!slot) continue;
        if (slot->timer >= 0) {
            slot->step();
            continue;
        }
        const bool bursts = slot->kind == 2 || (slot->kind == 4 && slot->timer != -10000);
        if (bursts) {
            for (auto& explosion : explosions) {
                if (explosion) continue;
                explosion = std::make_unique<Explosion>(slot->position, slot->kind == 2 ? 21 : 22);
                break;
            }
        }
        slot.reset();
    }
    for (auto& enemy : enemies)
        if (enemy) enemy->tick();
    for (auto& retired : retiredEnemies) retired.reset();
    player->update();
}

int nearestEnemy() {
    int best = -1;
    float bestDistance = 1e9f;
    for (int i = 0; i < kEnemyCount; ++i) {
        const float d = vecLength(vecSub(enemies[i]->position, player->position));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// The player's shell at the tank raised by 1, aimed straight at a unit.
void fireShellAt(const EnemyUnit& target) {
    Vec3 muzzle = player->position;
    muzzle.y += 1.0f;
    const Aim aim = directionToAim(vecSub(target.position, muzzle));
    for (int slot = kPlayerShellFirst; slot <= kPlayerShellLast; ++slot) {
        if (projectiles[slot]) continue;
        projectiles[slot] = std::make_unique<Projectile>(aim.yaw, aim.pitch, muzzle, PlayerShell, 5);
        GameStats.fired += 1;
        return;
    }
}

// Ten units placed as at level start, the tank moved in among them, then
// 400 ticks of driving, turning and shooting at the nearest unit, with a
// missile on tick 120 and slow motion from tick 300.
FightResult runFight() {
    CombatState state;
    std::ostringstream lines;
    setConsoleStream(&lines);
    rng::srand(8888);
    for (int slot = 0; slot < kEnemyCount; ++slot)
        enemies[slot] = std::make_unique<EnemyUnit>(slot < 5 ? Tank : slot < 8 ? Heavy : Car, slot);
    for (auto& unit : enemies) unit->place();
    player->position = Vec3{60.0f, 0.0f, 60.0f};
    player->hullHeading = 225.0f;

    for (int tick = 0; tick < 400; ++tick) {
        CombatState::clockMs += 22;
        now = static_cast<float>(CombatState::clockMs);
        player->driveInput = tick < 150 ? 1 : (tick < 200 ? 2 : 0);
        player->turnInput = (tick >= 60 && tick < 75) ? 180 : 0;
        const EnemyUnit& target = *enemies[nearestEnemy()];
        if (tick % 8 == 0) fireShellAt(target);
        if (tick == 120) {
            AimPoint = target.position;
            projectiles[kPlayerMissileFirst] = std::make_unique<Projectile>(
                player->hullHeading, 320.0f, player->position, PlayerMissile, 600);
        }
        if (tick == 300) TimeScale = 30.0f;
        simulationTick();
    }

    FightResult result;
    result.stats = GameStats;
    for (const auto& unit : enemies) {
        result.enemyPositions.push_back(unit->position);
        result.enemyHealth.push_back(unit->health);
        result.enemyKinds.push_back(unit->kind);
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
    EXPECT_EQ(fight.enemyHealth, (std::vector<int>{100, 100, 100, 100, 100, 300, 300, 300, 50, 50}));
    // The tank drove unhindered: 60 ticks at 225, 15 ticks turning to 270,
    // 75 more ticks forward and 50 back, half a unit each.
    EXPECT_FLOAT_EQ(fight.playerHeading, 270.0f);
    EXPECT_NEAR(fight.playerPosition.x, 19.4627f, 1e-3);
    EXPECT_NEAR(fight.playerPosition.z, 36.1673f, 1e-3);
}
