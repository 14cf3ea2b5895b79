#pragma once
// Standard output for the game's console lines (scenery heights, enemy
// health). Tests redirect it to capture the lines.
#include <ostream>

std::ostream& console();
// nullptr restores std::cout.
void setConsoleStream(std::ostream* stream);
