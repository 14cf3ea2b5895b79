#pragma once
// Watching a recorded fight in the window (brakkon --replay FILE): the fight
// plays back as it was played, with its own camera, counters, explosions,
// sounds and console lines. Tab or Pause pauses, ] and [ change the speed
// (x1/2 to x4), p shows the status report, F12 keeps a screenshot, Esc
// quits; the game's own keys do nothing.
#include <string>

bool watchingReplay();
// Reads the fight to watch. A file that cannot be played back ends the game
// with one line on standard error and status 2.
void loadReplayToWatch(const std::string& path);
// The recorded fight's level, set up from the loading screen.
void setupRecordedLevel();
// Play begins: the replay's callbacks take over.
void beginWatching();
// The notice at the top left ("REPLAY x2"), and at the end of the fight
// "End of replay: Esc to quit".
void drawReplayNotice();

// The speed steps, in ticks per 22 ms pass.
constexpr double kReplaySpeeds[] = {0.5, 1.0, 2.0, 4.0};
// The notice for a speed step ("REPLAY", "REPLAY x2", ...).
std::string replayNoticeText(int speedStep, bool paused);
