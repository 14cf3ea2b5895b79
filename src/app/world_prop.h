#pragma once
// A placed prop: a pickable block or a sign or cactus.
#include <cstdint>

struct WorldProp {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    std::int32_t sizeX = 0;
    std::int32_t sizeZ = 0;
    std::int32_t sizeY = 0;
    std::int32_t kind = 0;  // 40 block, 41..47 scenery models
    std::int32_t pickName = 0;
};

void drawProp(const WorldProp& prop);
void drawPropPickShape(const WorldProp& prop);
