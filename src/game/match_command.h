#pragma once
// What one tick takes from outside the match, gathered since the tick before
// in the order it came: the ground tiles that turned ready or flat, whether
// the scenery was set on the ground, the last thing found under the
// crosshair, the player's actions as each device handed them over, the
// game clock, and the clock values read where the random sequence is
// reseeded. In play all of it comes from where it always has (the frame,
// the input callbacks, the clock) and has already taken effect when the
// tick runs; a replay hands the same command back for the tick to carry out.
#include <cstddef>
#include <vector>

#include "game/player_actions.h"
#include "world/world.h"

struct MatchCommand {
    int clock = 0;  // the game clock at this tick, in milliseconds
    std::vector<TileNews> tiles;
    bool sceneryGrounded = false;
    int pickName = -1;  // the last pick's name (a block or an enemy), -1 for none
    // The game's share of each hand-over of the player's actions.
    std::vector<PlayerActions> steps;
    // Filled in by the tick in play; read back by the tick in a replay.
    std::vector<int> spawnClocks;
    // In play the news above has already happened (a press acts at once);
    // in a replay the tick makes it happen.
    bool alreadyApplied = false;
};

// The game's share of an action record: held values, aim and the presses of
// the game's own actions, without the shell's (status report, pause,
// screenshot, mute).
PlayerActions gameShareOf(const PlayerActions& actions);
// Whether handing `step` over would change anything in the match.
bool stepMatters(const PlayerActions& step);
