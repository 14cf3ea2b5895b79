// The terrain builder thread and the hand-over of a tile's height field.
// These also run under ThreadSanitizer (scripts/tsan-tests).
#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

#include "platform/random.h"
#include "platform/thread.h"
#include "world/world.h"

namespace {

using namespace std::chrono_literals;

HillParams innerParams(int seed) {
    HillParams p;
    p.hillMin = 2.0f;
    p.hillMax = 18.0f;
    p.heightScale = 12.0f;
    p.numHills = 200;
    p.seed = seed;
    return p;
}

// No time limit: a low-priority build takes what the machine leaves it.
bool waitFor(const Tile& tile) {
    while (!tile.finished()) std::this_thread::sleep_for(5ms);
    return true;
}

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<int> policy{-1};
    std::atomic<int> nice{-100};
};

void probeRoutine(void* argument) {
    auto* probe = static_cast<Probe*>(argument);
    sched_param param{};
    int policy = 0;
    pthread_getschedparam(pthread_self(), &policy, &param);
    probe->policy = policy;
    errno = 0;
    probe->nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    probe->ran = true;
}

}  // namespace

TEST(BuilderThread, RunsOnlyAfterResumeAndAtTheGivenPriority) {
    Probe probe;
    BuilderThread thread;
    ASSERT_TRUE(thread.createSuspended(probeRoutine, &probe));
    EXPECT_TRUE(thread.holdsThread());
    thread.setPriority(ThreadPriority::Lowest);
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(probe.ran);
    thread.resume();
    thread.close();
    EXPECT_FALSE(thread.holdsThread());
    EXPECT_TRUE(probe.ran);
    // The lowest setting still shares time with busy processes: nice 19,
    // not the idle class that a loaded machine can starve.
    EXPECT_EQ(probe.policy, SCHED_OTHER);
    EXPECT_EQ(probe.nice, 19);

    const struct {
        ThreadPriority priority;
        int policy, minNice;
    } settings[] = {{ThreadPriority::BelowNormal, SCHED_OTHER, 10},
                    {ThreadPriority::Idle, SCHED_IDLE, 0}};
    for (const auto& setting : settings) {
        Probe other;
        ASSERT_TRUE(thread.createSuspended(probeRoutine, &other));
        thread.setPriority(setting.priority);
        thread.resume();
        thread.close();
        EXPECT_EQ(other.policy, setting.policy);
        EXPECT_GE(other.nice, setting.minNice);
    }
}

TEST(BuilderThread, ClosingOrDestroyingNeverHangs) {
    Probe probe;
    {
        BuilderThread never;  // created, never resumed: closing still ends it
        ASSERT_TRUE(never.createSuspended(probeRoutine, &probe));
    }
    EXPECT_TRUE(probe.ran);
    BuilderThread idle;
    idle.close();  // nothing held: nothing to do
    EXPECT_FALSE(idle.holdsThread());
}

TEST(BuilderThread, PriorityFollowsTheBuildSetting) {
#if defined(BUILDER_THREAD_PRIORITY_BELOW_NORMAL)
    EXPECT_EQ(builderThreadPriority(), ThreadPriority::BelowNormal);
#else
    EXPECT_EQ(builderThreadPriority(), ThreadPriority::Lowest);
#endif
}

TEST(BuilderHandOver, FinishedBuildHoldsTheCompleteField) {
    Tile tile;
    tile.params = innerParams(29075);
    bool busy = false;
    tile.startBuild(busy);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(tile.building);
    EXPECT_FALSE(tile.ready);
    ASSERT_TRUE(tile.terrain);
    ASSERT_TRUE(waitFor(tile));

    CHillTerrain reference(tile.params);
    reference.generate();
    EXPECT_EQ(0, std::memcmp(reference.heights.data(), tile.terrain->heights.data(),
                             reference.heights.size() * sizeof(float)));
    EXPECT_EQ(reference.normals.back().y, tile.terrain->normals.back().y);

    tile.abandon(busy);
    EXPECT_FALSE(busy);
    EXPECT_FALSE(tile.building);
    EXPECT_FALSE(tile.finished());
    EXPECT_FALSE(tile.terrain);
    EXPECT_FALSE(tile.builderThread.holdsThread());
}

TEST(BuilderHandOver, OneBuildAtATimeAndTheMainSequenceUntouched) {
    rng::srand(8888);
    Tile first, second;
    first.params = innerParams(1);
    second.params = innerParams(2);
    bool busy = false;
    first.startBuild(busy);
    second.startBuild(busy);
    EXPECT_FALSE(second.building);
    EXPECT_FALSE(second.terrain);
    ASSERT_TRUE(waitFor(first));
    second.startBuild(busy);  // still busy until collected
    EXPECT_FALSE(second.building);
    // The builder reseeded only its own sequence.
    EXPECT_EQ(rng::rand(), 29063);

    first.abandon(busy);
    second.startBuild(busy);
    EXPECT_TRUE(second.building);
    ASSERT_TRUE(waitFor(second));
    second.abandon(busy);
}

TEST(BuilderHandOver, DestroyingATileDuringItsBuildWaitsForTheBuilder) {
    // The tile lives in memory the test owns: once it is destroyed the test
    // fills that memory with a pattern. A builder still running would store
    // its done flag there (or read a scribbled pointer) a moment later.
    alignas(Tile) unsigned char storage[sizeof(Tile)];
    for (int k = 0; k < 3; ++k) {
        Tile* tile = new (storage) Tile;
        HillParams p = innerParams(k);
        p.numHills = 500;
        p.hillMin = 5.0f;
        p.hillMax = 20.0f;
        tile->params = p;
        bool busy = false;
        tile->startBuild(busy);
        ASSERT_TRUE(tile->building);
        tile->~Tile();
        std::memset(storage, 0xA5, sizeof storage);
        std::this_thread::sleep_for(50ms);
        int changed = 0;
        for (unsigned char byte : storage) changed += byte != 0xA5;
        EXPECT_EQ(changed, 0) << k;
    }
}

namespace {
// Lives until the program's static destructors run, like the game's world.
std::unique_ptr<Tile> tileAtExit;

[[noreturn]] void exitWhileBuilding() {
    tileAtExit = std::make_unique<Tile>();
    HillParams p = innerParams(3);
    p.numHills = 500;
    p.hillMin = 5.0f;
    p.hillMax = 20.0f;
    tileAtExit->params = p;
    bool busy = false;
    tileAtExit->startBuild(busy);
    std::exit(0);
}
}  // namespace

TEST(BuilderHandOverDeathTest, ExitDuringABuildEndsCleanlyWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWhileBuilding(), ::testing::ExitedWithCode(0), "");
}
