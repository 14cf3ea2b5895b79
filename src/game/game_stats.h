#pragma once
// The game's counters, shown by the HUD and the status report.
#include <cstdint>

struct GameStatsRecord {
    std::int32_t hurt = 0;
    std::int32_t killed = 0;
    std::int32_t fired = 0;
    std::int32_t hit = 0;
    std::int32_t fps = 0;
    std::int32_t tickCount = 0;
    float lastFpsTime = 0.0f;
};
