#pragma once
// Reads a PNG file back through libpng, as 8-bit RGBA rows top first.
#include <cstdint>
#include <string>
#include <vector>

struct ReadPicture {
    int width = 0, height = 0;
    bool hadAlpha = false;
    std::vector<std::uint8_t> rgba;
};

// False when the file is missing or not a PNG libpng reads.
bool readPngFile(const std::string& path, ReadPicture& picture);
