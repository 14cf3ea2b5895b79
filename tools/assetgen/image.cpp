#include "image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/folders.h"

Image::Image(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

bool makeDirs(const std::string& path) {
    std::string why;
    if (path.empty() || makeFolders(path, &why)) return true;
    std::fprintf(stderr, "assetgen: cannot create %s\n", why.c_str());
    return false;
}

bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !makeDirs(path.substr(0, slash))) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    const bool ok = std::fclose(f) == 0 && written == bytes.size();
    if (!ok) std::fprintf(stderr, "assetgen: short write to %s\n", path.c_str());
    return ok;
}

static void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
static void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

bool writeBmp24(const std::string& path, const Image& image) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = rowBytes * image.height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, image.width);
    put32(out, image.height);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = image.width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return writeFileBytes(path, out);
}
