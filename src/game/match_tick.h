#pragma once
// The one way a fight moves on: a tick of the match under a command.
#include <cstdint>

#include "game/game_state.h"
#include "game/match_command.h"

// Carries out what the command brings that has not yet happened, runs one
// game tick, then settles the tanks on the ground (tilt and track roll) for
// the pictures and the next tick.
void tickMatch(Match& match, MatchCommand& command);

// Sets AimPoint to the block or enemy a pick found by its name; an unknown
// name or an empty slot leaves it as it is.
void aimAtPickName(int name);
// Sets every scenery prop on the ground and says each height on the console,
// then " here" (once in a fight).
void groundScenery();
// A checksum of everything a tick reads or writes in the match, to tell two
// runs of a fight apart.
std::uint32_t matchChecksum(const Match& match);
