// How fast --check-replay runs a recorded fight against the fight's own
// pace: each file is checked `rounds` times, and the line gives the fight's
// length in play (its ticks at 22 ms), the median check time and their
// ratio, the speed over real time.
//
//   build/bench/bench_replay_check FILE... [--rounds N]
//
// Record fights by playing (they land in ~/.local/share/brakkon/replays).
// Not a test: the numbers depend on the machine.
#include "replay/replay_check.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "replay/replay_format.h"

int main(int argc, char** argv) {
    int rounds = 5;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else
            files.push_back(argv[i]);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: bench_replay_check FILE... [--rounds N]\n");
        return 2;
    }
    for (const std::string& path : files) {
        std::string bytes, error;
        ReplayFile file;
        if (!readReplayBytes(path, bytes, error) || !readReplay(bytes, file, error)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
            continue;
        }
        const double playSeconds = file.ticks.size() * 0.022;
        std::vector<double> seconds;
        std::string said;
        for (int r = 0; r < rounds; ++r) {
            std::ostringstream out;
            const auto start = std::chrono::steady_clock::now();
            checkReplayFile(path, out);
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            said = out.str();
        }
        std::sort(seconds.begin(), seconds.end());
        const double median = seconds[seconds.size() / 2];
        std::printf(
            "%s: %zu bytes, %.1f s of play (%zu ticks), checked in %.3f s: %.0f times "
            "real time\n  %s",
            path.c_str(), bytes.size(), playSeconds, file.ticks.size(), median,
            playSeconds / median, said.c_str());
    }
    return 0;
}
