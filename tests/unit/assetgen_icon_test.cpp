// The desktop icon at every size the icon theme gets: the right folders and
// dimensions, and a round badge scaled to the size: transparent corners, an
// opaque middle and a rim that reaches close to the top edge.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "asset_sets.h"

namespace {

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t big32(const std::vector<std::uint8_t>& bytes, size_t at) {
    return bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

// The icon's RGBA rows, read from the PNG's one IDAT chunk of stored deflate
// blocks (what the asset tool writes); each row starts with its filter byte.
struct Icon {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rows;
    int alpha(int x, int y) const { return rows[y * (1 + 4 * width) + 1 + 4 * x + 3]; }
};

Icon readIcon(const std::string& path) {
    const auto bytes = fileBytes(path);
    Icon icon;
    if (bytes.size() < 33) return icon;
    icon.width = static_cast<int>(big32(bytes, 16));
    icon.height = static_cast<int>(big32(bytes, 20));
    const size_t idat = 33;  // signature 8, IHDR chunk 25
    const size_t end = idat + 8 + big32(bytes, idat);
    for (size_t at = idat + 8 + 2; at + 5 <= end;) {
        const size_t len = bytes[at + 1] | bytes[at + 2] << 8;
        icon.rows.insert(icon.rows.end(), bytes.begin() + at + 5, bytes.begin() + at + 5 + len);
        const bool last = bytes[at] & 1;
        at += 5 + len;
        if (last) break;
    }
    return icon;
}

}  // namespace

TEST(DesktopIcon, EverySizeIsARoundBadgeInItsThemeFolder) {
    char pattern[] = "/tmp/brakkon-icons-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    ASSERT_TRUE(writeDesktopIcon(folder));
    for (int size : kDesktopIconSizes) {
        SCOPED_TRACE(size);
        const Icon icon = readIcon(folder + "/icons/hicolor/" + std::to_string(size) + "x" +
                                   std::to_string(size) + "/apps/brakkon.png");
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        ASSERT_EQ(icon.rows.size(), static_cast<size_t>(size) * (1 + 4 * size));
        EXPECT_EQ(icon.alpha(0, 0), 0);
        EXPECT_EQ(icon.alpha(size - 1, size - 1), 0);
        EXPECT_EQ(icon.alpha(size / 2, size / 2), 255);
        EXPECT_EQ(icon.alpha(size / 2, 3 * size / 64), 255);  // just inside the rim's top
    }
    std::system(("rm -rf '" + folder + "'").c_str());
}
