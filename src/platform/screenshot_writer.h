#pragma once
// Screenshots are written to disk on a thread of their own, so the frame
// that takes one does not wait for the file.
#include <chrono>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

struct ScreenshotJob {
    // width * height RGBA pixels as read back from the window: the bottom row
    // first. Left uninitialised until read, so a large window costs no fill.
    std::unique_ptr<std::uint8_t[]> pixels;
    int width = 0, height = 0;
    std::time_t taken = 0;
    // Where the file goes; empty means the Brakkon folder in the desktop's
    // pictures folder.
    std::string folder;
};

struct ScreenshotOutcome {
    bool saved = false;
    std::string path;   // the file written, when saved
    std::string error;  // why not, when not saved
};

// brakkon-YYYYMMDD-HHMMSS.png in local time; a second picture of the same
// second gets -2, -3 and so on before the extension.
std::string screenshotName(std::time_t taken, int attempt);

// Writes the picture into a new file of `folder` (created as needed), never
// replacing one. Runs on the calling thread.
ScreenshotOutcome writeScreenshot(const ScreenshotJob& job);

// Hands the job to the writer thread (started on first use) and returns at once.
void queueScreenshot(ScreenshotJob job);
// The outcome of one finished job, oldest first; false when none is waiting.
bool takeScreenshotOutcome(ScreenshotOutcome& outcome);
// Waits until every queued job is finished (its outcome may still be waiting).
void waitForScreenshots();
// The same, at most for `bound`; then the jobs not started are dropped and
// the file of the one being written is removed. False when it gave up.
bool finishScreenshots(std::chrono::milliseconds bound);
// Removes the file of the picture being written, if any; safe in a signal
// handler (the process is ending at once).
void removeUnfinishedScreenshot();
