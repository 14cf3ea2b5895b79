#include "replay/replay_check.h"

#include <cstdio>
#include <sstream>

#include "game/match_tick.h"
#include "platform/console.h"
#include "replay/replay_setup.h"
#include "settings/atomic_file.h"

namespace {

constexpr std::size_t kLargestReplay = std::size_t{256} << 20;
constexpr int kTickMs = 22;

std::string playTime(std::uint32_t ticks) {
    const unsigned seconds =
        static_cast<unsigned>((static_cast<unsigned long long>(ticks) * kTickMs) / 1000);
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
    return text;
}

std::string counters() {
    return "hurt " + std::to_string(GameStats.hurt) + ", killed " +
           std::to_string(GameStats.killed) + ", fired " + std::to_string(GameStats.fired) +
           ", hit " + std::to_string(GameStats.hit);
}

// What a checkpoint sums up that differs from the match now.
std::string differences(const ReplayCheckpoint& k) {
    std::ostringstream say;
    auto compare = [&say](const char* what, auto recorded, auto now) {
        if (recorded == now) return;
        if (!say.str().empty()) say << ", ";
        say << what << " " << now << " instead of " << recorded;
    };
    compare("hurt", k.hurt, GameStats.hurt);
    compare("killed", k.killed, GameStats.killed);
    compare("fired", k.fired, GameStats.fired);
    compare("hit", k.hit, GameStats.hit);
    if (player) {
        compare("the tank's x", k.tankX, player->position.x);
        compare("the tank's z", k.tankZ, player->position.z);
    }
    if (say.str().empty()) say << "the match's checksum";
    return say.str();
}

}  // namespace

bool readReplayBytes(const std::string& path, std::string& bytes, std::string& error) {
    // The settings' reader: without waiting on a FIFO, refusing what is not
    // a plain file or is far too large for a recorded fight.
    bool exists = false;
    return readSmallFile(path, bytes, exists, kLargestReplay, error);
}

int checkReplayFile(const std::string& path, std::ostream& out) {
    std::string bytes, error;
    ReplayFile file;
    if (!readReplayBytes(path, bytes, error) || !readReplay(bytes, file, error)) {
        out << "brakkon: " << path << " cannot be checked: " << error << "\n";
        return 2;
    }
    std::ostringstream quiet;
    setConsoleStream(&quiet);
    resetGameState();
    setUpRecordedMatch(file.header, false);
    int status = 0;
    if (matchChecksum(theMatch) != file.header.startChecksum) {
        out << "replay differs at tick 0: the level set-up is not the recorded one\n";
        status = 1;
    }
    std::uint32_t checkedTicks = 0;
    for (std::size_t i = 0; i < file.ticks.size() && status == 0; ++i) {
        ReplayTick& tick = file.ticks[i];
        tick.command.alreadyApplied = false;
        tickMatch(theMatch, tick.command);
        if (!tick.hasCheckpoint) continue;
        const ReplayCheckpoint& k = tick.checkpoint;
        if (k.checksum != matchChecksum(theMatch) || k.tick != theMatch.tick) {
            out << "replay differs at tick " << theMatch.tick << ": " << differences(k) << "\n";
            status = 1;
        }
        checkedTicks = theMatch.tick;
    }
    if (file.ended) checkedTicks = theMatch.tick;
    if (status == 0 && file.ended &&
        (file.end.hurt != GameStats.hurt || file.end.killed != GameStats.killed ||
         file.end.fired != GameStats.fired || file.end.hit != GameStats.hit)) {
        out << "replay differs at the end, tick " << theMatch.tick << ": " << counters() << "\n";
        status = 1;
    }
    if (status == 0) {
        const bool damaged = file.problem.find("damaged") != std::string::npos ||
                             file.problem.find("no sense") != std::string::npos;
        if (damaged) {
            out << "brakkon: " << path << " is damaged: " << file.problem << "; the "
                << checkedTicks << " ticks before it match\n";
            status = 2;
        } else {
            out << "replay matches: " << checkedTicks << " ticks, " << playTime(checkedTicks)
                << " of play, " << counters();
            if (!file.ended) out << " (the recording stops there: " << file.problem << ")";
            out << "\n";
        }
    }
    setConsoleStream(nullptr);
    return status;
}
