// How long the builder thread takes to build the 5 x 5 near window (25
// inner tiles, one at a time, as the world starts them) while two busy
// processes keep both cores occupied and the main thread stays busy, as the
// game's drawing loop does. Compares the builder's priority settings side by
// side in one run; a setting that has not finished within the limit is shown
// with the number of tiles it built.
//   bench_builder_load [seconds limit per setting, default 120]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/thread.h"
#include "world/world.h"

namespace {

using Clock = std::chrono::steady_clock;

HillParams innerTileParams(int seed) {
    HillParams p;
    p.seed = seed;
    p.hillMin = 2.0f;
    p.hillMax = 18.0f;
    p.numHills = 200;
    p.heightScale = 12.0f;
    return p;
}

std::vector<pid_t> startBusyProcesses(int count) {
    std::vector<pid_t> pids;
    for (int k = 0; k < count; ++k) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (volatile unsigned long spin = 0;; ++spin) {
            }
        }
        if (pid > 0) pids.push_back(pid);
    }
    return pids;
}

void stopBusyProcesses(std::vector<pid_t>& pids) {
    for (pid_t pid : pids) kill(pid, SIGKILL);
    for (pid_t pid : pids) waitpid(pid, nullptr, 0);
    pids.clear();
}

struct Result {
    double seconds = 0.0;
    int built = 0;
};

// Builds the 25 tiles one after another at the given priority; the calling
// thread spins while it waits, like a game that keeps drawing frames.
// At the limit the busy processes are stopped, so that the straggler ends.
Result buildNearWindow(ThreadPriority priority, double limitSeconds, std::vector<pid_t>& busy) {
    const auto start = Clock::now();
    Result result;
    for (int k = 0; k < 25; ++k) {
        Tile tile;
        tile.params = innerTileParams(29063 + k);
        tile.terrain = std::make_unique<CHillTerrain>(tile.params);
        if (!tile.builderThread.createSuspended(buildTile, &tile)) break;
        tile.builderThread.setPriority(priority);
        tile.builderThread.resume();
        bool timedOut = false;
        while (!tile.finished()) {
            const double spent = std::chrono::duration<double>(Clock::now() - start).count();
            if (spent > limitSeconds) {
                timedOut = true;
                break;
            }
        }
        if (timedOut) {
            stopBusyProcesses(busy);
            tile.builderThread.close();
            break;
        }
        tile.builderThread.close();
        ++result.built;
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return result;
}

void report(const char* name, const Result& r, double limit) {
    if (r.built == 25)
        std::printf("%-22s %8.2f s for 25 tiles\n", name, r.seconds);
    else
        std::printf("%-22s > %.0f s: %d of 25 tiles built\n", name, limit, r.built);
}

}  // namespace

int main(int argc, char** argv) {
    const double limit = argc > 1 ? std::atof(argv[1]) : 120.0;
    std::vector<pid_t> none;
    const Result quiet = buildNearWindow(ThreadPriority::Normal, limit, none);
    std::printf("near window, machine otherwise quiet, normal priority: %.2f s\n", quiet.seconds);

    std::printf("with two busy processes and a busy main thread:\n");
    auto busy = startBusyProcesses(2);
    const Result nice10 = buildNearWindow(ThreadPriority::BelowNormal, limit, busy);
    const Result nice19 = buildNearWindow(ThreadPriority::Lowest, limit, busy);
    // Last: at its limit the busy processes are stopped.
    const Result idle = buildNearWindow(ThreadPriority::Idle, limit, busy);
    stopBusyProcesses(busy);

    report("nice 19 (lowest)", nice19, limit);
    report("SCHED_IDLE", idle, limit);
    report("nice 10 (below normal)", nice10, limit);
    if (idle.built == 25 && nice19.built == 25)
        std::printf("SCHED_IDLE / nice 19 = %.2f\n", idle.seconds / nice19.seconds);
    return 0;
}
