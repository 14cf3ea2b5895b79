#include "platform/screenshot_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
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

// Opens a file of the folder that did not exist before, under the first free name.
std::FILE* createFreshFile(const std::string& folder, std::time_t taken, std::string& path,
                           std::string& error) {
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        path = folder + "/" + screenshotName(taken, attempt);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            std::FILE* file = fdopen(fd, "wb");
            if (!file) close(fd);
            return file;
        }
        if (errno != EEXIST) break;
    }
    error = path + ": " + std::strerror(errno);
    return nullptr;
}
}  // namespace

ScreenshotOutcome writeScreenshot(const ScreenshotJob& job) {
    ScreenshotOutcome outcome;
    const std::string folder = job.folder.empty() ? picturesFolder() + "/Brakkon" : job.folder;
    if (!makeFolders(folder, &outcome.error)) return outcome;
    std::string path;
    std::FILE* file = createFreshFile(folder, job.taken, path, outcome.error);
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

namespace {
struct Writer {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<ScreenshotJob> jobs;
    std::deque<ScreenshotOutcome> outcomes;
    bool busy = false;
};

// Never destroyed: the game may end while a picture is being written.
Writer& writer() {
    static Writer* shared = new Writer;
    return *shared;
}

void writerLoop() {
    Writer& w = writer();
    std::unique_lock<std::mutex> held(w.lock);
    for (;;) {
        w.changed.wait(held, [&] { return !w.jobs.empty(); });
        ScreenshotJob job = std::move(w.jobs.front());
        w.jobs.pop_front();
        w.busy = true;
        held.unlock();
        ScreenshotOutcome outcome = writeScreenshot(job);
        job = ScreenshotJob{};
        held.lock();
        w.busy = false;
        w.outcomes.push_back(std::move(outcome));
        w.changed.notify_all();
    }
}
}  // namespace

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
