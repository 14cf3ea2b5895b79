#pragma once
// The game switches key auto-repeat off, which on X changes the whole
// desktop's setting. These keep the desktop's setting as it was found.

// Records whether the desktop had auto-repeat on and arranges for it to be
// switched back on when the process exits. Call before switching it off.
void rememberDesktopKeyRepeat();

// Switches auto-repeat back on if it was on when remembered. Safe to call
// more than once.
void restoreDesktopKeyRepeat();

// Ends the process at once with the given status, after giving the desktop
// its key repeat back and flushing the console. Nothing else is released.
[[noreturn]] void quitGame(int status);
