// The placement of blocks and scenery from the seeded random sequence.
#include <set>

#include "app/level_setup.h"
#include "platform/random.h"
#include "support/shell_fixture.h"

namespace {
void seedAsTheWorldDoes() {
    rng::srand(kWorldSeed);
    rng::rand();
}
}  // namespace

using Layout = ShellTest;

TEST_F(Layout, FirstBlockStandsAtTheKnownPlace) {
    seedAsTheWorldDoes();
    placeBlocks();
    EXPECT_EQ(blocks[0]->x, 135.0f);
    EXPECT_EQ(blocks[0]->y, 0.0f);
    EXPECT_EQ(blocks[0]->z, 66.0f);
}

TEST_F(Layout, BlocksAndSceneryStayInTheirRanges) {
    seedAsTheWorldDoes();
    placeBlocks();
    placeScenery();
    for (int i = 0; i < kBlockCount; ++i) {
        const WorldProp& b = *blocks[i];
        EXPECT_GE(b.x, 0.0f);
        EXPECT_LE(b.x, 299.0f);
        EXPECT_GE(b.z, 0.0f);
        EXPECT_LE(b.z, 299.0f);
        EXPECT_EQ(b.sizeX, 20);
        EXPECT_EQ(b.sizeY, 20);
        EXPECT_EQ(b.sizeZ, 20);
        EXPECT_EQ(b.kind, 40);
        EXPECT_EQ(b.pickName, i);
    }
    std::set<float> rows;
    for (int i = 0; i < kSceneryCount; ++i) {
        const WorldProp& s = *scenery[i];
        EXPECT_EQ(static_cast<int>(s.x) % 128, 0);
        EXPECT_LE(s.x, 512.0f);
        EXPECT_GE(s.z, 0.0f);
        EXPECT_LE(s.z, 599.0f);
        EXPECT_EQ(s.sizeX + s.sizeY + s.sizeZ, 0);
        EXPECT_EQ(s.pickName, i);
        rows.insert(s.x);
    }
    EXPECT_GT(rows.size(), 1u);
}

TEST_F(Layout, TheSameSeedGivesTheSameLayout) {
    seedAsTheWorldDoes();
    placeBlocks();
    placeScenery();
    std::vector<float> first;
    for (auto& b : blocks) first.insert(first.end(), {b->x, b->z});
    for (auto& s : scenery) first.insert(first.end(), {s->x, s->z});
    seedAsTheWorldDoes();
    placeBlocks();
    placeScenery();
    std::vector<float> second;
    for (auto& b : blocks) second.insert(second.end(), {b->x, b->z});
    for (auto& s : scenery) second.insert(second.end(), {s->x, s->z});
    EXPECT_EQ(first, second);
}

TEST_F(Layout, KindsFollowTheSlots) {
    const int expected[] = {47, 47, 43, 43, 45, 45, 46, 46, 46, 46, 44, 44, 44, 44, 44, 44, 44, 44};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(sceneryKindForSlot(i), expected[i]) << i;
    for (int i = 18; i < kSceneryCount; ++i) EXPECT_EQ(sceneryKindForSlot(i), 41) << i;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(enemyKindForSlot(i), EnemyKind::Tank);
    for (int i = 5; i < 8; ++i) EXPECT_EQ(enemyKindForSlot(i), EnemyKind::Heavy);
    EXPECT_EQ(enemyKindForSlot(8), EnemyKind::Car);
    EXPECT_EQ(enemyKindForSlot(9), EnemyKind::Car);
}
