#include "app/desktop_keys.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/console.h"

namespace {
bool xRepeatIsOn() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XKeyboardState state;
    XGetKeyboardControl(display, &state);
    XCloseDisplay(display);
    return state.global_auto_repeat == AutoRepeatModeOn;
}

void xSwitchRepeatOn() {
    // A connection of our own: GLUT's may already be closing at exit.
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XAutoRepeatOn(display);
    XCloseDisplay(display);  // flushes the request
}

KeyRepeatControl control{xRepeatIsOn, xSwitchRepeatOn};
bool repeatWasOn = false;
bool remembered = false;

void restoreAtExit() { restoreDesktopKeyRepeat(); }

// Interrupted from a terminal or told to stop: still leave the desktop's
// keyboard as it was found.
void onStopSignal(int signalNumber) { quitGame(128 + signalNumber); }
}  // namespace

void rememberDesktopKeyRepeat() {
    if (remembered) return;
    repeatWasOn = control.isOn();
    remembered = true;
    std::atexit(restoreAtExit);
}

void restoreDesktopKeyRepeatOnSignals() {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, onStopSignal);
}

void restoreDesktopKeyRepeat() {
    if (repeatWasOn) control.switchOn();
}

void setKeyRepeatControl(const KeyRepeatControl& replacement) { control = replacement; }

void quitGame(int status) {
    restoreDesktopKeyRepeat();
    console().flush();
    std::cout.flush();
    std::fflush(nullptr);
    // No destructors: a terrain tile may be building, and waiting for it
    // would delay the exit the player asked for.
    std::_Exit(status);
}
