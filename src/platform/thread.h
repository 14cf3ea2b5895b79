#pragma once
// A background thread that is created suspended, given a priority, resumed,
// and closed (joined and released) when its result is collected.
#include <memory>

// BelowNormal is nice 10 and Lowest nice 19: a thread that still gets a small
// share of a machine kept busy by other processes. Idle (the scheduler's idle
// class) can get no time at all on such a machine; it is kept for comparison.
enum class ThreadPriority { Normal, BelowNormal, Lowest, Idle };

class BuilderThread {
public:
    using Routine = void (*)(void* argument);

    BuilderThread();
    ~BuilderThread();  // closes a thread that is still held
    BuilderThread(const BuilderThread&) = delete;
    BuilderThread& operator=(const BuilderThread&) = delete;

    // Creates the thread suspended; false if the system refused.
    bool createSuspended(Routine routine, void* argument);
    // Applies a priority to the created thread; a refusal is a warning only.
    void setPriority(ThreadPriority priority);
    void resume();
    // Waits for the routine to end and releases the thread.
    void close();
    bool holdsThread() const;

private:
    struct State;
    std::unique_ptr<State> state;
};
