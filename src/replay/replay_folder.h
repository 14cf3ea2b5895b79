#pragma once
// Where recorded fights are kept: $XDG_DATA_HOME/brakkon/replays (by default
// ~/.local/share/brakkon/replays), one file per fight named by its start
// time, with `last` pointing at the newest.
#include <ctime>
#include <string>

std::string replayFolder();
// A name for a fight started at `when` that no file has yet:
// 20261210-142501.replay, then -2, -3 and so on.
std::string freshReplayPath(const std::string& folder, std::time_t when);
// Points `last` in the folder at `path` (replacing the link in one step).
void pointLastReplayAt(const std::string& folder, const std::string& path);
// Removes the oldest fights until `keep` are left.
void keepNewestReplays(const std::string& folder, int keep);
// What --replay was given: "last" means the newest fight.
std::string replayPathFor(const std::string& argument);
