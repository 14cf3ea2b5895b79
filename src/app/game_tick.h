#pragma once
// The tick moved to the simulation; the shell still reaches it here.
#include "game/game_tick.h"
