#pragma once
// What a game-event listener follows between events, read from the game state.
#include "game/game_events.h"

TickView currentTickView();
