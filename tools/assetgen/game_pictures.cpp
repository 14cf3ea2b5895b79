#include "asset_sets.h"

bool writeGamePictures(const std::string& outDir) {
    (void)outDir;
    return true;
}
