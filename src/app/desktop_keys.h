#pragma once
// The game switches key auto-repeat off, which on X changes the whole
// desktop's setting. These keep the desktop's setting as it was found.

// Records whether the desktop had auto-repeat on and arranges for it to be
// switched back on when the process exits. Call before switching it off.
void rememberDesktopKeyRepeat();

// Also gives it back when the process is interrupted or terminated.
void restoreDesktopKeyRepeatOnSignals();

// Switches auto-repeat back on if it was on when remembered. Safe to call
// more than once.
void restoreDesktopKeyRepeat();

// Ends the process at once with the given status, after giving the desktop
// its key repeat back and flushing the console. Nothing else is released.
[[noreturn]] void quitGame(int status);

// How the desktop's setting is read and switched back on; Xlib by default.
// Tests substitute their own.
struct KeyRepeatControl {
    bool (*isOn)();  // false also when there is no display
    void (*switchOn)();
};
void setKeyRepeatControl(const KeyRepeatControl& control);
