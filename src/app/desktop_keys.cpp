#include "app/desktop_keys.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/console.h"

namespace {
bool repeatWasOn = false;
bool remembered = false;

void restoreAtExit() { restoreDesktopKeyRepeat(); }
}  // namespace

void rememberDesktopKeyRepeat() {
    if (remembered) return;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XKeyboardState state;
    XGetKeyboardControl(display, &state);
    repeatWasOn = state.global_auto_repeat == AutoRepeatModeOn;
    XCloseDisplay(display);
    remembered = true;
    std::atexit(restoreAtExit);
}

void restoreDesktopKeyRepeat() {
    if (!repeatWasOn) return;
    // A connection of our own: GLUT's may already be closing at exit.
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XAutoRepeatOn(display);
    XCloseDisplay(display);  // flushes the request
}

void quitGame(int status) {
    restoreDesktopKeyRepeat();
    console().flush();
    std::cout.flush();
    std::fflush(nullptr);
    // No destructors: a terrain tile may be building, and waiting for it
    // would delay the exit the player asked for.
    std::_Exit(status);
}
