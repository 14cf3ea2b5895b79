#pragma once
// Builds the level once, from the second loading frame.
#include "game/level_layout.h"

void setupLevel();
void loadHudTextures();
void loadEffectTextures();
void loadDigitTextures();
