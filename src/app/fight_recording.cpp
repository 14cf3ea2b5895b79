#include "app/fight_recording.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>

#include "game/level_layout.h"
#include "game/match_tick.h"
#include "platform/folders.h"
#include "platform/random.h"
#include "replay/replay_folder.h"
#include "replay/replay_recorder.h"
#include "replay/replay_version.h"

int replayKeep = 20;
std::vector<int> setupClockReads;

namespace {
std::unique_ptr<ReplayRecorder> recorder;

void sayOnStandardError(const std::string& line) { std::cerr << line << std::endl; }
}  // namespace

void startRecordingFight() {
    if (replayKeep <= 0 || recorder) return;
    const std::string folder = replayFolder();
    std::string error;
    if (folder.empty() || !makeFolders(folder, &error)) {
        sayOnStandardError("Brakkon: the fight cannot be recorded: " +
                           (folder.empty() ? std::string("no home folder") : error) + ".");
        return;
    }
    theMatch.randomState = rng::state();
    ReplayHeader header;
    header.gameVersion = gameVersion();
    header.viewRange = static_cast<std::uint16_t>(WORLD_VIEW_RANGE);
    header.worldSeed = kWorldSeed;
    header.setupClocks = setupClockReads;
    header.randomState = theMatch.randomState;
    header.startChecksum = matchChecksum(theMatch);
    const std::time_t now = std::time(nullptr);
    header.startTime = static_cast<std::uint32_t>(now);
    recorder = std::make_unique<ReplayRecorder>();
    const std::string path = freshReplayPath(folder, now);
    if (!recorder->start(path, header, sayOnStandardError)) {
        recorder.reset();
        return;
    }
    // Closing the window ends the program through exit().
    std::atexit(finishRecordingFight);
    pointLastReplayAt(folder, path);
    keepNewestReplays(folder, replayKeep);
}

void recordFightTick(const MatchCommand& command) {
    if (!recorder || !recorder->recording()) return;
    ReplayTick tick;
    tick.command = command;
    tick.hasCheckpoint = theMatch.tick % kTicksPerReplayBlock == 0;
    if (tick.hasCheckpoint) {
        ReplayCheckpoint& k = tick.checkpoint;
        k.tick = theMatch.tick;
        k.checksum = matchChecksum(theMatch);
        k.hurt = GameStats.hurt;
        k.killed = GameStats.killed;
        k.fired = GameStats.fired;
        k.hit = GameStats.hit;
        if (player) {
            k.tankX = player->position.x;
            k.tankZ = player->position.z;
        }
    }
    recorder->addTick(tick);
}

void finishRecordingFight() {
    if (!recorder) return;
    ReplayEnd end;
    end.ticks = theMatch.tick;
    end.hurt = GameStats.hurt;
    end.killed = GameStats.killed;
    end.fired = GameStats.fired;
    end.hit = GameStats.hit;
    recorder->finish(end);
}
