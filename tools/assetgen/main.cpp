// Writes every picture and model the game reads into one folder.
#include <cstdio>
#include <string>

#include "asset_sets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    bool ok = true;
    ok = writeScreenPictures(out) && ok;
    ok = writeGamePictures(out) && ok;
    ok = writeWorldPictures(out) && ok;
    ok = writeModels(out) && ok;
    ok = writeDesktopIcon(out) && ok;
    ok = writeSounds(out) && ok;
    if (!ok) {
        std::fprintf(stderr, "assetgen: some assets could not be written to %s\n", out.c_str());
        return 1;
    }
    return 0;
}
