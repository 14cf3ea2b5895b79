#include "replay/replay_recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

ReplayRecorder::~ReplayRecorder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (writer_.joinable()) writer_.join();
    if (fd_ >= 0) close(fd_);
}

bool ReplayRecorder::start(const std::string& path, const ReplayHeader& header, SayLine say) {
    say_ = std::move(say);
    path_ = path;
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        say_("Brakkon: the fight cannot be recorded in " + path + ": " + std::strerror(errno) +
             ".");
        return false;
    }
    recording_ = true;
    writer_ = std::thread([this] { writeLoop(); });
    handOver(encodeReplayHeader(header));
    return true;
}

void ReplayRecorder::addTick(const ReplayTick& tick) {
    if (!recording_) return;
    encodeReplayTick(tick, cursor_, block_);
    ++ticksInBlock_;
    if (tick.hasCheckpoint) {
        handOver(packReplayBlock(block_));
        block_.clear();
        ticksInBlock_ = 0;
    }
}

void ReplayRecorder::finish(const ReplayEnd& end, int waitMs) {
    if (!recording_) return;
    encodeReplayEnd(end, block_);
    handOver(packReplayBlock(block_));
    block_.clear();
    recording_ = false;
    std::unique_lock<std::mutex> lock(mutex_);
    drained_.wait_for(lock, std::chrono::milliseconds(waitMs),
                      [this] { return failed_ || (queue_.empty() && !busy_); });
}

void ReplayRecorder::handOver(std::string bytes) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (failed_) {
            recording_ = false;
            return;
        }
        queue_.push_back(std::move(bytes));
    }
    wake_.notify_one();
}

void ReplayRecorder::writeLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        std::string bytes = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        // write() hands each block to the system at once: a killed game
        // keeps everything written so far.
        std::size_t done = 0;
        int error = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n < 0 ? errno : ENOSPC;
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        lock.lock();
        busy_ = false;
        if (error != 0 && !failed_) {
            failed_ = true;
            queue_.clear();
            lock.unlock();
            say_("Brakkon: the fight cannot be recorded further in " + path_ + ": " +
                 std::strerror(error) + "; recording stops.");
            lock.lock();
        }
        drained_.notify_all();
    }
}
