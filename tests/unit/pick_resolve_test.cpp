// Reading selection hit records into AimPoint.
#include <vector>

#include "app/game_frame.h"
#include "support/shell_fixture.h"

namespace {
class Pick : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        for (int i = 0; i < kBlockCount; ++i) {
            blocks[i] = std::make_unique<WorldProp>();
            blocks[i]->x = 100.0f + i;
            blocks[i]->z = 200.0f + i;
        }
        for (int i = 0; i < kEnemyCount; ++i) {
            enemies[i] = std::make_unique<EnemyUnit>(EnemyKind::Tank, i);
            enemies[i]->position = {-1.0f * i, 7.0f, 3.0f};
        }
        AimPoint = {1.0f, 2.0f, 3.0f};
    }
    void resolve(const std::vector<std::uint32_t>& records, int count) {
        resolvePick(count, records.data(), records.size());
    }
};

// One record: names, min depth, max depth, the names.
void addRecord(std::vector<std::uint32_t>& buffer, std::uint32_t minDepth,
               std::initializer_list<std::uint32_t> names) {
    buffer.push_back(static_cast<std::uint32_t>(names.size()));
    buffer.push_back(minDepth);
    buffer.push_back(0xFFFFFFFFu);
    buffer.insert(buffer.end(), names);
}
}  // namespace

TEST_F(Pick, NearestRecordWinsComparedUnsigned) {
    std::vector<std::uint32_t> buffer;
    addRecord(buffer, 0x90000000u, {3});  // would be negative as signed
    addRecord(buffer, 0x10000000u, {14});
    addRecord(buffer, 0x20000000u, {5});
    resolve(buffer, 3);
    EXPECT_EQ(AimPoint.x, -4.0f);
    EXPECT_EQ(AimPoint.y, 7.0f);
}

TEST_F(Pick, EqualDepthGoesToTheFirstRecord) {
    std::vector<std::uint32_t> buffer;
    addRecord(buffer, 500u, {2});
    addRecord(buffer, 500u, {11});
    resolve(buffer, 2);
    EXPECT_EQ(AimPoint.x, 102.0f);
    EXPECT_EQ(AimPoint.y, 0.0f);
    EXPECT_EQ(AimPoint.z, 202.0f);
}

TEST_F(Pick, OnlyASingleNameRecordMoves) {
    std::vector<std::uint32_t> buffer;
    addRecord(buffer, 10u, {2, 3});
    addRecord(buffer, 20u, {4});
    resolve(buffer, 2);
    // The nearest record has two names: nothing changes.
    EXPECT_EQ(AimPoint.x, 1.0f);
    std::vector<std::uint32_t> empty;
    addRecord(empty, 10u, {});
    resolve(empty, 1);
    EXPECT_EQ(AimPoint.x, 1.0f);
}

TEST_F(Pick, NoRecordsOrOverflowLeaveTheAimPoint) {
    std::vector<std::uint32_t> buffer;
    addRecord(buffer, 10u, {4});
    resolve(buffer, 0);
    resolve(buffer, -1);
    EXPECT_EQ(AimPoint.x, 1.0f);
    EXPECT_EQ(AimPoint.y, 2.0f);
    EXPECT_EQ(AimPoint.z, 3.0f);
}

TEST_F(Pick, RecordsRunningPastTheBufferAreNotRead) {
    std::vector<std::uint32_t> buffer;
    addRecord(buffer, 50u, {1});
    buffer.push_back(1000000);  // claims a million names
    buffer.push_back(1u);
    buffer.push_back(2u);
    resolve(buffer, 2);
    EXPECT_EQ(AimPoint.x, 101.0f);
    // A count larger than the records present stops at the buffer's end.
    std::vector<std::uint32_t> one;
    addRecord(one, 50u, {0});
    resolve(one, 50);
    EXPECT_EQ(AimPoint.x, 100.0f);
}

TEST_F(Pick, NamesOutsideBlocksAndEnemiesOrEmptySlotsChangeNothing) {
    enemies[3].reset();
    for (std::uint32_t name : {13u, 20u, 49u, 0xFFFFFFFFu}) {
        std::vector<std::uint32_t> buffer;
        addRecord(buffer, 1u, {name});
        resolve(buffer, 1);
        EXPECT_EQ(AimPoint.x, 1.0f) << name;
    }
}
