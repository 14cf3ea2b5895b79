#pragma once
// BMP pictures decoded to tightly packed 24-bit RGB, bottom row first.
//
// Accepted: "BM" files with a 40- or 12-byte info header; 1, 4 and 8 bits per
// pixel through the colour table, 16 bits as 5-5-5 (each channel widened by
// repeating its top bits), 24 and 32 bits, run-length 8- and 4-bit pictures,
// and 16/32-bit pictures with explicit colour masks (compression 3), whose
// masks are honoured. Top-down pictures (negative height) come out upright.
// Pictures over 16384 pixels a side or 64 million pixels are refused with
// "Out of memory."; files shorter than their headers, colour table or pixel
// data, and run-length codes leaving the picture, give "Image file
// conversion error.".
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
