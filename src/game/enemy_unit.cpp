#include "game/enemy_unit.h"

namespace {

struct KindValues {
    EnemyKind kind;
    std::int32_t health;
    float speed;
    float radius;
    float hullTurnRate;
    float turretTurnRate;
};

// Per-kind numbers; speeds are distance per tick at normal speed, turn rates
// degrees per tick.
constexpr KindValues kKinds[] = {
    {EnemyKind::Heavy, 300, 0.06666667f, 3.0f, 0.11111111f, 0.8333333f},
    {EnemyKind::Tank, 100, 0.11111111f, 2.0f, 0.16666667f, 1.25f},
    {EnemyKind::Car, 50, 0.33333334f, 2.0f, 0.33333334f, 2.5f},
};

}  // namespace

EnemyUnit::EnemyUnit(EnemyKind kind, std::int32_t index) : kind(kind), index(index) {
    for (const KindValues& values : kKinds) {
        if (values.kind != kind) continue;
        health = values.health;
        speed = values.speed;
        radius = values.radius;
        hullTurnRate = values.hullTurnRate;
        turretTurnRate = values.turretTurnRate;
    }
}
