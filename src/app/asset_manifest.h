#pragma once
// Every file the game reads from its folder, and a start-up check that tells
// the player clearly when the folder is incomplete.
#include <string>
#include <vector>

// Relative paths of every picture and model the game opens by a fixed name
// (texture pictures named inside 3DS files are not listed: the files name them).
const std::vector<std::string>& requiredAssetFiles();

// The required files missing from `folder` (relative paths, in list order).
std::vector<std::string> missingAssetFiles(const std::string& folder);

// Checks the working directory; when files are missing, writes one message
// to standard error naming the folder and what is missing. The game carries
// on either way. Returns the number of missing files.
int reportMissingAssets();
