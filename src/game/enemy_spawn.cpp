#include "game/enemy_unit.h"
#include "game/game_state.h"
#include "game/hit_test.h"
#include "game/match_clock.h"
#include "platform/random.h"

namespace {

// One coordinate in [0, range) that is at least 128 from the player's,
// shifted to be centred on the origin.
float drawCoordinate(int range, float playerCoordinate) {
    int r;
    do {
        r = rng::rand() % range;
    } while (r > playerCoordinate - 128 && r < playerCoordinate + 128);
    return static_cast<float>(r - range / 2);
}

// A spawn point from the current state of the random sequence.
Vec3 drawSpawnPoint(int range) {
    const Vec3 p = player ? player->position : Vec3{};
    Vec3 point;
    point.x = drawCoordinate(range, p.x);
    point.z = drawCoordinate(range, p.z);
    return point;
}

}  // namespace

Vec3 spawnPoint(int range) {
    rng::srand(static_cast<unsigned>(readMatchClock()));
    if (range <= 0) return Vec3{};
    return drawSpawnPoint(range);
}

void EnemyUnit::place() {
    // Every try reseeds from the clock, so a rejected point would come back
    // unchanged until the millisecond clock moves on. Rather than wait (or
    // spin for ever on a stopped clock), a retry within the same millisecond
    // keeps drawing from the sequence instead of reseeding.
    int seededAt = readMatchClock();
    position = spawnPoint(500);
    while (hitTest(position, radius, kind, index)) {
        const int clock = readMatchClock();
        if (clock != seededAt) {
            seededAt = clock;
            position = spawnPoint(500);
        } else {
            position = drawSpawnPoint(500);
        }
    }
    position.y = 0.0f;
}
