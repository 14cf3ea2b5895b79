#include "app/game_exit.h"

#include <GL/glx.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/fight_recording.h"
#include "platform/console.h"
#include "platform/screenshot_writer.h"

namespace {
// Only async-signal-safe calls here: the signal may arrive while the main
// thread holds a lock in Xlib, the allocator or stdio. Every console line is
// flushed as it is written, so there is nothing left to save. The signal is
// raised again with its default action, so the parent sees the process end
// by that signal, as it would without a handler.
void onStopSignal(int signalNumber) {
    // Waiting for a picture would not end the game at once: its file goes.
    removeUnfinishedScreenshot();
    signal(signalNumber, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signalNumber);
    raise(signalNumber);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    _exit(128 + signalNumber);  // not reached: the default action ends the process
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The game's window, when there is one: GLUT keeps it to itself, and the
// current GLX drawable is that window.
void hideGameWindow() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window) return;
    XUnmapWindow(display, window);
    XFlush(display);
}
}  // namespace

void endGameOnStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // A second stop signal waits while the first one's handler runs, so the
    // first one decides how the process ends.
    sigemptyset(&action.sa_mask);
    for (int signalNumber : kStopSignals) sigaddset(&action.sa_mask, signalNumber);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kStopSignals) {
        // A signal the parent asked to ignore (nohup, a background job) stays ignored.
        struct sigaction inherited {};
        if (sigaction(signalNumber, nullptr, &inherited) != 0 || inherited.sa_handler != SIG_DFL)
            continue;
        sigaction(signalNumber, &action, nullptr);
    }
}

void quitGame(int status) {
    // The player sees the game end at once; the screenshots asked for are
    // then finished, or removed when the disk is too slow for them, and the
    // fight's recording gets its end.
    hideGameWindow();
    finishScreenshots(kScreenshotsAtExit);
    finishRecordingFight();
    console().flush();
    std::cout.flush();
    // The game's own streams only: flushing every stream would wait on the
    // sound library's output file while a stalled device blocks its writer.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
