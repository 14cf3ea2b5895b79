#pragma once
// Every fight is recorded, from START to the end, into the replays folder
// (see replay/replay_folder.h), keeping the newest `replayKeep` of them.
#include <vector>

#include "game/match_command.h"

// How many recorded fights to keep; 0 records none.
extern int replayKeep;
// The clock values the level set-up placed the enemies from.
extern std::vector<int> setupClockReads;

// Play begins: opens the fight's file and writes what the set-up drew.
void startRecordingFight();
// After each tick of play.
void recordFightTick(const MatchCommand& command);
// The game ends: the end marker, and the writer finishes (bounded).
void finishRecordingFight();
