#include "platform/screenshot_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/folders.h"
#include "platform/png_file.h"

std::string screenshotName(std::time_t taken, int attempt) {
    std::tm local{};
    localtime_r(&taken, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string("brakkon-") + stamp;
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + ".png";
}

namespace {
constexpr int kMaxAttempts = 1000;

struct Writer {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<ScreenshotJob> jobs;
    std::deque<ScreenshotOutcome> outcomes;
    bool busy = false;
    // The picture being written: its file is being created, or exists at
    // `current`. A picture given up at exit loses its file.
    bool creating = false;
    std::string current;
    bool givenUp = false;
};

// The file being written, for a stop signal's handler: a copy of its path
// that the handler takes with one exchange.
std::atomic<char*> fileForSignal{nullptr};

// Never destroyed: the game may end while a picture is being written.
Writer& writer() {
    static Writer* shared = new Writer;
    return *shared;
}

std::string notFinished(const std::string& path) {
    return path + ": not finished before the game ended";
}

// Opens a file of the folder that did not exist before, under the first free
// name. The writer thread's `tracked` learns of the file as soon as it exists.
std::FILE* createFreshFile(const std::string& folder, std::time_t taken, std::string& path,
                           std::string& error, Writer* tracked) {
    if (tracked) {
        std::lock_guard<std::mutex> held(tracked->lock);
        if (tracked->givenUp) {
            error = notFinished(folder);
            return nullptr;
        }
        tracked->creating = true;
    }
    int fd = -1;
    for (int attempt = 1; attempt <= kMaxAttempts && fd < 0; ++attempt) {
        path = folder + "/" + screenshotName(taken, attempt);
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    const int openError = errno;
    if (tracked) {
        std::lock_guard<std::mutex> held(tracked->lock);
        tracked->creating = false;
        tracked->changed.notify_all();
        if (fd >= 0 && tracked->givenUp) {
            // Given up while the file was being created.
            close(fd);
            unlink(path.c_str());
            error = notFinished(path);
            return nullptr;
        }
        if (fd >= 0) {
            tracked->current = path;
            fileForSignal.store(strdup(path.c_str()));
        }
    }
    std::FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!file) {
        error = path + ": " + std::strerror(fd >= 0 ? errno : openError);
        if (fd >= 0) close(fd);
    }
    return file;
}

ScreenshotOutcome writePicture(const ScreenshotJob& job, Writer* tracked) {
    ScreenshotOutcome outcome;
    const std::string folder = job.folder.empty() ? picturesFolder() + "/Brakkon" : job.folder;
    if (!makeFolders(folder, &outcome.error)) return outcome;
    std::string path;
    std::FILE* file = createFreshFile(folder, job.taken, path, outcome.error, tracked);
    if (!file) return outcome;
    PngPicture picture;
    picture.width = job.width;
    picture.height = job.height;
    picture.channels = 4;
    picture.keepAlpha = false;
    picture.bottomUp = true;
    picture.pixels = job.pixels.get();
    std::string why;
    bool ok = writePng(file, picture, PngPacking::Fast, &why);
    if (std::fclose(file) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        // No half-written picture is left behind.
        std::remove(path.c_str());
        outcome.error = path + ": " + why;
        return outcome;
    }
    outcome.saved = true;
    outcome.path = path;
    return outcome;
}

void writerLoop() {
    Writer& w = writer();
    std::unique_lock<std::mutex> held(w.lock);
    for (;;) {
        w.changed.wait(held, [&] { return !w.jobs.empty(); });
        ScreenshotJob job = std::move(w.jobs.front());
        w.jobs.pop_front();
        w.busy = true;
        w.givenUp = false;
        held.unlock();
        ScreenshotOutcome outcome = writePicture(job, &w);
        job = ScreenshotJob{};
        std::free(fileForSignal.exchange(nullptr));
        held.lock();
        if (w.givenUp && outcome.saved) {
            outcome.saved = false;
            outcome.error = notFinished(outcome.path);
        }
        w.busy = false;
        w.current.clear();
        w.outcomes.push_back(std::move(outcome));
        w.changed.notify_all();
    }
}
}  // namespace

ScreenshotOutcome writeScreenshot(const ScreenshotJob& job) { return writePicture(job, nullptr); }

void queueScreenshot(ScreenshotJob job) {
    Writer& w = writer();
    static std::once_flag started;
    std::call_once(started, [] { std::thread(writerLoop).detach(); });
    std::lock_guard<std::mutex> held(w.lock);
    w.jobs.push_back(std::move(job));
    w.changed.notify_all();
}

bool takeScreenshotOutcome(ScreenshotOutcome& outcome) {
    Writer& w = writer();
    std::lock_guard<std::mutex> held(w.lock);
    if (w.outcomes.empty()) return false;
    outcome = std::move(w.outcomes.front());
    w.outcomes.pop_front();
    return true;
}

void waitForScreenshots() {
    Writer& w = writer();
    std::unique_lock<std::mutex> held(w.lock);
    w.changed.wait(held, [&] { return w.jobs.empty() && !w.busy; });
}

bool finishScreenshots(std::chrono::milliseconds bound) {
    Writer& w = writer();
    std::unique_lock<std::mutex> held(w.lock);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    if (w.changed.wait_until(held, deadline, [&] { return w.jobs.empty() && !w.busy; }))
        return true;
    w.jobs.clear();
    w.givenUp = true;
    // A file being created exists a moment later: wait that moment, so it is
    // removed here, or by the writer if creating it hangs.
    w.changed.wait_until(held, deadline + std::chrono::milliseconds(200),
                         [&] { return !w.creating; });
    if (!w.current.empty()) unlink(w.current.c_str());
    return false;
}

void removeUnfinishedScreenshot() {
    // Left to the ending process: a handler may not free memory.
    if (const char* path = fileForSignal.exchange(nullptr)) unlink(path);
}
