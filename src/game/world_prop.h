#pragma once
// A placed prop: a pickable block or a sign or cactus.
#include <cstdint>

// A prop's kind says what is drawn: the block, or one of the scenery models.
constexpr int kBlockKind = 40;
constexpr int kFirstSceneryKind = 41, kLastSceneryKind = 47;

struct WorldProp {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    std::int32_t sizeX = 0;
    std::int32_t sizeZ = 0;
    std::int32_t sizeY = 0;
    std::int32_t kind = 0;  // kBlockKind, or kFirstSceneryKind..kLastSceneryKind
    std::int32_t pickName = 0;
};

void drawProp(const WorldProp& prop);
void drawPropPickShape(const WorldProp& prop);
