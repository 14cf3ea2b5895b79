#include "platform/thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

// The thread waits at a gate until resume(); the priority is applied by the
// thread itself just before the routine runs, because a per-thread nice value
// can only be set through the thread's own kernel id.
struct BuilderThread::State {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable gate;
    bool released = false;
    ThreadPriority priority = ThreadPriority::Normal;
};

namespace {

void warnNotLowered(int error) {
    std::fprintf(stderr, "Warning: terrain builder priority not lowered: %s\n",
                 std::strerror(error));
}

void applyPriority(ThreadPriority priority) {
    if (priority == ThreadPriority::Idle) {
        sched_param param{};
        param.sched_priority = 0;
        const int error = pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
        if (error != 0) warnNotLowered(error);
    } else if (priority != ThreadPriority::Normal) {
        const int niceValue = priority == ThreadPriority::Lowest ? 19 : 10;
        const auto tid = static_cast<id_t>(syscall(SYS_gettid));
        if (setpriority(PRIO_PROCESS, tid, niceValue) != 0) warnNotLowered(errno);
    }
}

}  // namespace

BuilderThread::BuilderThread() = default;

BuilderThread::~BuilderThread() { close(); }

bool BuilderThread::createSuspended(Routine routine, void* argument) {
    close();
    auto fresh = std::make_unique<State>();
    State* s = fresh.get();
    try {
        s->thread = std::thread([s, routine, argument] {
            ThreadPriority priority;
            {
                std::unique_lock<std::mutex> lock(s->mutex);
                s->gate.wait(lock, [s] { return s->released; });
                priority = s->priority;
            }
            applyPriority(priority);
            routine(argument);
        });
    } catch (const std::system_error& error) {
        std::fprintf(stderr, "Warning: terrain builder thread not created: %s\n", error.what());
        return false;
    }
    state = std::move(fresh);
    return true;
}

void BuilderThread::setPriority(ThreadPriority priority) {
    if (!state) return;
    std::lock_guard<std::mutex> lock(state->mutex);
    state->priority = priority;
}

void BuilderThread::resume() {
    if (!state) return;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->released = true;
    }
    state->gate.notify_one();
}

void BuilderThread::close() {
    if (!state) return;
    // A thread that was never resumed is released so that it can end.
    resume();
    if (state->thread.joinable()) state->thread.join();
    state.reset();
}

bool BuilderThread::holdsThread() const { return state != nullptr; }
