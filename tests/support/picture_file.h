#pragma once
// Reads the 24-bit pictures the asset tool writes, for tests that look at
// their pixels. Rows are kept bottom row first, as textures are uploaded.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct PictureFile {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // bottom row first, no row padding
    bool valid() const { return width > 0 && height > 0; }
};

inline PictureFile readPictureFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    PictureFile picture;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return picture;
    auto u32 = [&](size_t at) {
        return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                          bytes[at + 3] << 24);
    };
    const int width = static_cast<int>(u32(18)), height = static_cast<int>(u32(22));
    const size_t offset = u32(10);
    if (width <= 0 || height <= 0 || (bytes[28] | bytes[29] << 8) != 24) return picture;
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    if (offset + rowBytes * height > bytes.size()) return picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.reserve(static_cast<size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* bgr = &bytes[offset + row * rowBytes + x * 3];
            picture.rgb.insert(picture.rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    return picture;
}
