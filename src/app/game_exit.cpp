#include "app/game_exit.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/console.h"

namespace {
// Only async-signal-safe calls here: the signal may arrive while the main
// thread holds a lock in Xlib, the allocator or stdio. Every console line is
// flushed as it is written, so there is nothing left to save.
void onStopSignal(int signalNumber) { _exit(128 + signalNumber); }

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
}  // namespace

void endGameOnStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    // A second stop signal waits while the first one's handler runs, so the
    // first one decides the status.
    sigemptyset(&action.sa_mask);
    for (int signalNumber : kStopSignals) sigaddset(&action.sa_mask, signalNumber);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kStopSignals) sigaction(signalNumber, &action, nullptr);
}

void quitGame(int status) {
    console().flush();
    std::cout.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}
