#pragma once
// An RGB picture in memory, top row first, and a 24-bit BMP writer.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row-major, row 0 at the top

    Image() = default;
    Image(int w, int h, Rgb fill = {});
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Writes an uncompressed 24-bit BMP (bottom-up rows, padded to 4 bytes).
// Creates missing parent folders. Returns false and prints why on failure.
bool writeBmp24(const std::string& path, const Image& image);

// Creates the folder and its parents; true if it exists afterwards.
bool makeDirs(const std::string& path);
// Opens a file for binary writing, creating parent folders first.
bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
