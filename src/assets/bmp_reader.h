#pragma once
// BMP pictures decoded to tightly packed 24-bit RGB, bottom row first.
#include <cstdint>
#include <memory>
#include <vector>

struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3, rows without padding
};

// Reads a BMP file; on any failure shows the error message box and returns nullptr.
std::unique_ptr<RgbImage> loadBmpImage(const char* fileName);
// The same decoder over bytes in memory; `name` is used in messages.
std::unique_ptr<RgbImage> decodeBmpImage(const std::uint8_t* data, std::size_t size,
                                         const char* name);
