#pragma once
// Runs a recorded fight without a window, as fast as it goes, and compares
// every checksum of the recording with the match's.
#include <ostream>
#include <string>

// 0: every checksum matches; 1: one differs (the first is said); 2: the
// file cannot be read. One line goes to `out` either way.
int checkReplayFile(const std::string& path, std::ostream& out);
// Reads a replay file's bytes: false, with the reason, when it cannot.
bool readReplayBytes(const std::string& path, std::string& bytes, std::string& error);
