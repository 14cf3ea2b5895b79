// Cost of the simulation's share of a game tick: ten enemies laying their
// guns and driving, a sky full of shells, and a burst animation, with no
// world (flat ground).
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

#include "app/globals.h"
#include "game/hit_test.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/random.h"

namespace {

int fixedClock() { return 1000; }

void setUpFight() {
    setClockSource(fixedClock);
    rng::srand(8888);
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    player->position = Vec3{60.0f, 0.0f, 60.0f};
    for (int slot = 0; slot < kEnemyCount; ++slot) {
        enemies[slot] = std::make_unique<EnemyUnit>(slot < 5   ? EnemyKind::Tank
                                                    : slot < 8 ? EnemyKind::Heavy
                                                               : EnemyKind::Car,
                                                    slot);
    }
    for (auto& unit : enemies) unit->place();
}

void BM_EnemiesTick(benchmark::State& state) {
    setUpFight();
    std::ostringstream sink;
    setConsoleStream(&sink);
    for (auto _ : state) {
        for (auto& unit : enemies) unit->tick();
        for (auto& retired : retiredEnemies) retired.reset();
        // Keep the shells from piling up.
        for (int slot = kEnemyShellFirst; slot <= kEnemyShellLast; ++slot)
            projectiles[slot].reset();
    }
    setConsoleStream(nullptr);
}
BENCHMARK(BM_EnemiesTick);

void BM_ThirtyShellsStep(benchmark::State& state) {
    setUpFight();
    for (auto _ : state) {
        state.PauseTiming();
        for (int slot = 0; slot < 30; ++slot)
            projectiles[slot] =
                std::make_unique<Projectile>(static_cast<float>(slot * 12), 0.0f,
                                             Vec3{60.0f, 1.0f, 60.0f}, HitKind::PlayerShell, 1);
        state.ResumeTiming();
        for (int slot = 0; slot < 30; ++slot) projectiles[slot]->step();
    }
}
BENCHMARK(BM_ThirtyShellsStep);

void BM_PlayerTankUpdate(benchmark::State& state) {
    setUpFight();
    player->driveInput = 1;
    player->turnInput = 180;
    for (auto _ : state) player->update();
}
BENCHMARK(BM_PlayerTankUpdate);

}  // namespace

BENCHMARK_MAIN();
