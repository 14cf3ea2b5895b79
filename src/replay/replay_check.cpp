#include "replay/replay_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "game/match_tick.h"
#include "platform/console.h"
#include "replay/replay_setup.h"

namespace {

constexpr long long kLargestReplay = 256LL << 20;
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
    // Not blocking: a FIFO in its place must not hang the game.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "it is not a plain file";
        close(fd);
        return false;
    }
    if (info.st_size > kLargestReplay) {
        error = "it is far too large for a recorded fight";
        close(fd);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    close(fd);
    return true;
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
