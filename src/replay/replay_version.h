#pragma once
// The version of the game that records and plays back fights.
#include <string>

std::string gameVersion();
