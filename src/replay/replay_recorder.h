#pragma once
// Writes a fight to its file as it is played. Ticks are packed into blocks
// on the calling thread (a few microseconds a tick) and written by a thread
// of the recorder's own, so a slow or full disk never stalls a frame. Each
// block holds about 32 ticks (under a second of play) and goes to the disk
// as soon as it is complete, so a crash or a kill loses at most the last
// second. When writing fails, one line on standard error names the file and
// the reason, and recording stops; play goes on.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "replay/replay_format.h"

class ReplayRecorder {
public:
    using SayLine = std::function<void(const std::string&)>;

    ReplayRecorder() = default;
    ~ReplayRecorder();
    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    // Creates `path` (never replacing a file) and writes the header; false,
    // with a line said, when it cannot.
    bool start(const std::string& path, const ReplayHeader& header, SayLine say);
    void addTick(const ReplayTick& tick);
    // Writes the end marker and waits, at most `waitMs`, for the writer.
    void finish(const ReplayEnd& end, int waitMs = 2000);
    bool recording() const { return recording_; }
    const std::string& path() const { return path_; }

private:
    void handOver(std::string bytes);
    void writeLoop();

    bool recording_ = false;
    std::string path_;
    SayLine say_;
    std::string block_;
    int ticksInBlock_ = 0;
    ReplayCursor cursor_;

    int fd_ = -1;
    std::thread writer_;
    std::mutex mutex_;
    std::condition_variable wake_, drained_;
    std::deque<std::string> queue_;
    bool stopping_ = false;
    bool failed_ = false;
    bool busy_ = false;
};
