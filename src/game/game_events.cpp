#include "game/game_events.h"

GameEvents* gameEvents = nullptr;
