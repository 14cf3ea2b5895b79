#pragma once
// How the game ends: Esc, the window's close button, or a stop signal from
// the terminal or the desktop.
// freeglut's "key repeat off" only filters repeated key events in the game's
// own window; the desktop's auto-repeat setting is never changed, so there is
// nothing to give back on the way out.
#include <chrono>

// Makes SIGINT, SIGTERM and SIGHUP end the process at once, by that signal
// (the shell reports 128 + its number), at any moment and however many
// arrive; the first signal decides. A signal that the process started with
// ignored stays ignored. A screenshot being written then loses its file.
void endGameOnStopSignals();

// Ends the process with the given status: hides the window, finishes the
// screenshots already taken (giving up on any still unwritten after
// kScreenshotsAtExit, whose file is then removed) and flushes the console.
// Nothing else is released: a terrain tile may be building, and waiting for
// it would delay the exit the player asked for.
[[noreturn]] void quitGame(int status);
constexpr std::chrono::milliseconds kScreenshotsAtExit{2000};
