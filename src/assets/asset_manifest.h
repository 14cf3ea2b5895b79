#pragma once
// Every file the game reads from its folder by a fixed name, as one list.
#include <string>
#include <vector>

// Relative paths of every picture and model in assets/asset_names.h, each once.
const std::vector<std::string>& requiredAssetFiles();

// The required files missing from `folder` (relative paths, in list order).
std::vector<std::string> missingAssetFiles(const std::string& folder);

// When most required files are missing from `folder` (the game was started
// elsewhere than its folder), the one message that says where the game
// looked and how to start it; "" otherwise, and a few missing files are then
// each named as they are loaded.
std::string missingGameFolderMessage(const std::string& folder);
