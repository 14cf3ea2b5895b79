#include "png_writer.h"

#include <cstdint>

namespace {

std::uint32_t crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0) {
    static std::uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back((v >> (8 * i)) & 0xFF);
}

void putChunk(std::vector<std::uint8_t>& out, const char type[4],
              const std::vector<std::uint8_t>& payload) {
    putBig32(out, static_cast<std::uint32_t>(payload.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), payload.begin(), payload.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBig32(out, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t len = std::min<size_t>(65535, raw.size() - pos);
        const bool last = pos + len == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(len & 0xFF);
        out.push_back((len >> 8) & 0xFF);
        out.push_back(~len & 0xFF);
        out.push_back((~len >> 8) & 0xFF);
        out.insert(out.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool writePng(const std::string& path, const Image& image, const std::vector<std::uint8_t>& alpha) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (image.width * 4 + 1));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            raw.push_back(p.r);
            raw.push_back(p.g);
            raw.push_back(p.b);
            raw.push_back(alpha.empty() ? 255 : alpha[static_cast<size_t>(y) * image.width + x]);
        }
    }
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBig32(header, image.width);
    putBig32(header, image.height);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", zlibStored(raw));
    putChunk(out, "IEND", {});
    return writeFileBytes(path, out);
}
