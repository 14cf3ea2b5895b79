#pragma once
// Who asks the hit test, as the small integer that decides its bookkeeping.
// A projectile's kind is its hit kind; an enemy's hull asks with the value of
// its EnemyKind (11, 12 or 13). An enemy's lastHit keeps the kind of the
// last projectile that touched it, None for none.
#include <cstdint>

namespace HitKind {
constexpr std::int32_t None = 0;
constexpr std::int32_t PlayerShell = 1;
constexpr std::int32_t PlayerMissile = 2;
constexpr std::int32_t EnemyShell = 4;
constexpr std::int32_t PlayerBody = 5;
}  // namespace HitKind
