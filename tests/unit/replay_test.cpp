// Recorded fights: a scripted fight played through the player's actions and
// the frame's news, as in play, is recorded, then played back from its file
// tick for tick; and the check tells a matching file from a damaged, cut,
// changed or foreign one.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "app/fight_recording.h"
#include "app/input.h"
#include "app/match_news.h"
#include "game/camera.h"
#include "game/level_layout.h"
#include "game/match_clock.h"
#include "game/match_tick.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "replay/replay_check.h"
#include "replay/replay_folder.h"
#include "replay/replay_recorder.h"
#include "replay/replay_setup.h"
#include "replay/replay_version.h"

namespace {
int clockMs = 5000;
int testClock() { return clockMs; }

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The turret's turn toward a unit, as a mouse would hand it over.
void aimAt(const EnemyUnit& target) {
    Vec3 muzzle = player->position;
    muzzle.y += 1.0f;
    const Aim aim = directionToAim(vecSub(target.position, muzzle));
    playerActions.aimYaw = aim.yaw - player->turretYaw;
    playerActions.aimPitch =
        aim.pitch - (player->gunPitch > 180 ? player->gunPitch - 360 : player->gunPitch);
}

int nearestUnit() {
    int best = 0;
    for (int i = 1; i < kEnemyCount; ++i)
        if (vecLength(vecSub(enemies[i]->position, player->position)) <
            vecLength(vecSub(enemies[best]->position, player->position)))
            best = i;
    return best;
}

// The level as play sets it up (without pictures), then a fight: drive,
// turn, reverse, a shell at the nearest unit every 8th tick, missiles that
// home on what the crosshair found, embers, slow motion on and off, and the
// ground's tiles around the tank turning ready as the frames would find
// them. Returns the match's checksum after every tick.
std::vector<std::uint32_t> playScriptedFight(int ticks) {
    resetGameState();
    setClockSource(testClock);
    world = std::make_unique<World>(WORLD_VIEW_RANGE, kWorldSeed, World::Drawn::No);
    keepMatchClockReads(&setupClockReads);
    populateLevel(TankModels::None);
    keepMatchClockReads(nullptr);
    updateCamera();
    forgetNews();
    startRecordingFight();
    std::vector<std::uint32_t> sums;
    for (int tick = 0; tick < ticks; ++tick) {
        clockMs += 22;
        if (tick == 2) {
            for (std::uint16_t tile : {262, 263, 282, 283}) {
                world->followNews({tile, true});
                world->news.push_back({tile, true});
            }
        }
        const int target = nearestUnit();
        if (tick % 40 == 5) {
            aimAtPickName(kFirstEnemyPickName + target);
            notePickName(kFirstEnemyPickName + target);
        }
        // Drive at the nearest unit, back up a little, then stand.
        float bearing = directionToAim(vecSub(enemies[target]->position, player->position)).yaw -
                        player->hullHeading;
        bearing -= bearing > 180.0f ? 360.0f : (bearing < -180.0f ? -360.0f : 0.0f);
        playerActions.drive = tick < 700 ? 1.0f : (tick < 760 ? -1.0f : 0.0f);
        playerActions.turn =
            tick >= 700 ? 0.0f : (bearing > 3.0f ? 1.0f : (bearing < -3.0f ? -1.0f : 0.0f));
        if (tick % 8 == 0) {
            aimAt(*enemies[target]);
            ++playerActions.shell;
        }
        playerActions.missile += tick % 300 == 120;
        playerActions.embers += tick == 50;
        playerActions.slowMotion += tick == 900 || tick == 1100;
        runPlayerActions();
        now = static_cast<float>(clockMs);
        playOneTick();
        sums.push_back(matchChecksum(theMatch));
    }
    finishRecordingFight();
    setClockSource(nullptr);
    return sums;
}

class Replays : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/brakkon-replays-XXXXXX";
        ASSERT_TRUE(mkdtemp(folder));
        setenv("XDG_DATA_HOME", folder, 1);
        setConsoleStream(&console);
    }
    void TearDown() override { setConsoleStream(nullptr); }
    std::ostringstream console;
};

int check(const std::string& path, std::string& said) {
    std::ostringstream out;
    const int status = checkReplayFile(path, out);
    said = out.str();
    return status;
}
}  // namespace

TEST_F(Replays, AFightPlaysBackTickForTickAndTheCheckTellsEveryKindOfFileApart) {
    const std::vector<std::uint32_t> played = playScriptedFight(1200);
    const std::string playedConsole = console.str();
    ASSERT_GT(GameStats.hit, 0) << "the script never hit";
    ASSERT_GT(GameStats.killed, 0) << "the script never killed: no reseed from the clock";
    const GameStatsRecord playedStats = GameStats;
    const std::string path = replayPathFor("last");
    const std::string bytes = readAll(path);
    EXPECT_LT(bytes.size(), 1200u * 40) << "far larger than a fight's commands";

    // Played back from the file, tick for tick, with the same console lines.
    console.str("");
    ReplayFile file;
    std::string error;
    ASSERT_TRUE(readReplay(bytes, file, error)) << error;
    ASSERT_TRUE(file.ended);
    ASSERT_EQ(file.ticks.size(), played.size());
    resetGameState();
    setUpRecordedMatch(file.header, false);
    for (std::size_t t = 0; t < file.ticks.size(); ++t) {
        tickMatch(theMatch, file.ticks[t].command);
        ASSERT_EQ(matchChecksum(theMatch), played[t]) << "tick " << t + 1;
    }
    EXPECT_EQ(console.str(), playedConsole);

    std::string said;
    EXPECT_EQ(check(path, said), 0) << said;
    std::ostringstream expected;
    expected << "replay matches: 1200 ticks, 0:26 of play, hurt " << playedStats.hurt << ", killed "
             << playedStats.killed << ", fired " << playedStats.fired << ", hit " << playedStats.hit
             << "\n";
    EXPECT_EQ(said, expected.str());

    // Cut short, as by a kill: it checks up to its last whole block.
    const std::string cut = path + "-cut";
    writeAll(cut, bytes.substr(0, bytes.size() * 2 / 3));
    EXPECT_EQ(check(cut, said), 0) << said;
    EXPECT_NE(said.find("the recording stops there"), std::string::npos) << said;
    EXPECT_EQ(said.find("1200 ticks"), std::string::npos) << said;

    // One flipped byte in a block.
    std::string flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x10;
    writeAll(cut, flipped);
    EXPECT_EQ(check(cut, said), 2) << said;
    EXPECT_NE(said.find("is damaged"), std::string::npos) << said;

    // Another version of the game.
    std::string other = bytes;
    const std::size_t at = other.find(file.header.gameVersion);
    other[at] = '9';
    writeAll(cut, other);
    EXPECT_EQ(check(cut, said), 2) << said;
    EXPECT_NE(said.find("Brakkon 9"), std::string::npos) << said;
    EXPECT_NE(said.find("this is Brakkon " + file.header.gameVersion), std::string::npos);

    // A command the fight did not have: the checksums tell.
    file.ticks[100].command.steps.push_back(PlayerActions{});
    file.ticks[100].command.steps.back().shell = 1;
    std::string records, changed = encodeReplayHeader(file.header);
    ReplayCursor cursor;
    for (std::size_t t = 0; t < file.ticks.size(); ++t) {
        encodeReplayTick(file.ticks[t], cursor, records);
        if (file.ticks[t].hasCheckpoint) changed += packReplayBlock(std::exchange(records, ""));
    }
    encodeReplayEnd(file.end, records);
    writeAll(cut, changed + packReplayBlock(records));
    EXPECT_EQ(check(cut, said), 1) << said;
    EXPECT_EQ(said.rfind("replay differs at tick 128: ", 0), 0u) << said;
    EXPECT_NE(said.find("fired"), std::string::npos) << said;

    // The newest are kept; 0 records nothing.
    const std::string folder = replayFolder();
    for (const char* old : {"/20200101-000000.replay", "/20200101-000000-2.replay"})
        writeAll(folder + old, "");
    keepNewestReplays(folder, 2);
    EXPECT_FALSE(std::ifstream(folder + "/20200101-000000.replay"));
    EXPECT_TRUE(std::ifstream(folder + "/20200101-000000-2.replay"));
    EXPECT_TRUE(std::ifstream(path));
    replayKeep = 0;
    playScriptedFight(10);
    replayKeep = 20;
    EXPECT_EQ(readAll(path), bytes);
}

TEST(ReplayRecorder, AFullDiskSaysOneLineAndWhatWasWrittenReadsBack) {
    char folder[] = "/tmp/brakkon-replays-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    ReplayHeader header;
    header.gameVersion = gameVersion();
    ReplayTick tick;
    tick.command.steps.resize(1);
    // A disk that fills up after a few blocks: a child with a file size
    // limit records until it says why it stops, once, and goes on.
    const std::string path = std::string(folder) + "/b.replay";
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{2048, 2048};
        setrlimit(RLIMIT_FSIZE, &limit);
        int lines = 0;
        ReplayRecorder recorder;
        recorder.start(path, header, [&lines](const std::string& line) {
            lines += line.find("b.replay") != std::string::npos &&
                     line.find("recording stops") != std::string::npos;
        });
        for (int i = 0; i < 20000; ++i) {
            tick.hasCheckpoint = i % kTicksPerReplayBlock == 0;
            tick.command.steps[0].aimYaw = i * 0.37;  // packs poorly
            recorder.addTick(tick);
        }
        recorder.finish(ReplayEnd{});
        _exit(lines == 1 && !recorder.recording() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::string bytes, error;
    ReplayFile file;
    ASSERT_TRUE(readReplayBytes(path, bytes, error)) << error;
    ASSERT_TRUE(readReplay(bytes, file, error)) << error;
    EXPECT_FALSE(file.ended);
    EXPECT_GT(file.ticks.size(), 0u);  // what was written before the disk filled reads back
}
