#include "asset_sets.h"

bool writeWorldPictures(const std::string& outDir) {
    (void)outDir;
    return true;
}
