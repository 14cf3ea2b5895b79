#pragma once
// Writes 8-bit RGB or RGBA pictures as PNG files through libpng.
#include <cstdint>
#include <cstdio>
#include <string>

struct PngPicture {
    int width = 0, height = 0;
    // Bytes per pixel given: 3 (RGB) or 4 (RGBA).
    int channels = 4;
    // The file keeps the alpha byte; without it a 4-byte pixel is written as RGB.
    bool keepAlpha = true;
    // Rows of width * channels bytes, the top row first unless bottomUp.
    const std::uint8_t* pixels = nullptr;
    bool bottomUp = false;
};

// Stored keeps the bytes uncompressed in one data chunk (small pictures whose
// files are read byte by byte elsewhere); Fast compresses quickly.
enum class PngPacking { Stored, Fast };

// Writes to an open file; on failure `error` (if given) says why.
bool writePng(std::FILE* file, const PngPicture& picture, PngPacking packing,
              std::string* error = nullptr);
// Creates or replaces the file at `path`.
bool writePngFile(const std::string& path, const PngPicture& picture, PngPacking packing,
                  std::string* error = nullptr);
