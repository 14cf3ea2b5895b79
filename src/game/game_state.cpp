#include "game/game_state.h"

#include "game/key_bindings.h"
#include "game/player_actions.h"

Match theMatch;

void resetGameState() {
    // Tiles wait for their builds in their destructors, so the world goes
    // before the rest is replaced.
    theMatch.world.reset();
    theMatch = Match{};
    resetPlayerActions();
    keyBindings = defaultKeyBindings();
}

namespace {
// Runs after the definitions above (same file, so in order): the program
// starts from the values resetGameState gives.
const bool gameStateStarted = (resetGameState(), true);
}  // namespace
