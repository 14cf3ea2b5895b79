#include "assets/bmp_reader.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/message_box.h"

// Pictures larger than this are refused instead of risking an allocation the
// game cannot afford: 16384 pixels a side and 64 million pixels in all.
static constexpr std::int64_t kMaxSide = 16384;
static constexpr std::int64_t kMaxPixels = 64 * 1024 * 1024;

namespace {

const char* const kUnknownFormat = "Unknown DIB file format.";
const char* const kConversionError = "Image file conversion error.";
const char* const kOutOfMemory = "Out of memory.";

// Raised inside the decoder; caught once at the top and turned into the
// message box.
struct DecodeFailure {
    const char* text;
};

[[noreturn]] void fail(const char* text) { throw DecodeFailure{text}; }

std::uint32_t u16At(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t u32At(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// Everything the headers say about the picture.
struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive here
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue (compression 3)
    std::vector<Rgb> palette;
};

// Widens a channel of `bits` bits to 8 by repeating its top bits below it,
// so full scale stays full scale (31 -> 255) and zero stays zero.
std::uint8_t widenChannel(std::uint32_t value, int bits) {
    if (bits <= 0) return 0;
    if (bits >= 8) return std::uint8_t(value >> (bits - 8));
    std::uint32_t result = value << (8 - bits);
    for (int filled = bits; filled < 8; filled *= 2) result |= result >> filled;
    return std::uint8_t(result & 0xFF);
}

struct MaskedChannel {
    int shift = 0;
    int bits = 0;
    std::uint32_t mask = 0;
};

MaskedChannel describeMask(std::uint32_t mask) {
    MaskedChannel channel;
    channel.mask = mask;
    if (mask == 0) return channel;
    while (!((mask >> channel.shift) & 1u)) ++channel.shift;
    std::uint32_t rest = mask >> channel.shift;
    while (rest) {
        ++channel.bits;
        rest >>= 1;
    }
    return channel;
}

std::uint8_t extract(std::uint32_t pixel, const MaskedChannel& c) {
    return widenChannel((pixel & c.mask) >> c.shift, c.bits);
}

// Output rows are bottom row first; `row` counts from the bottom.
struct Canvas {
    std::int64_t width;
    std::int64_t height;
    std::vector<std::uint8_t>& pixels;

    void put(std::int64_t x, std::int64_t row, const Rgb& c) {
        std::uint8_t* p = &pixels[std::size_t((row * width + x) * 3)];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
};

Rgb paletteColour(const BmpLayout& layout, std::uint32_t index) {
    // Indices past a short colour table show black rather than reading past it.
    return index < layout.palette.size() ? layout.palette[index] : Rgb{};
}

void decodeUncompressed(const BmpLayout& layout, const std::uint8_t* data, std::size_t available,
                        Canvas& canvas) {
    const std::int64_t rowBytes = ((layout.width * layout.bitsPerPixel + 31) / 32) * 4;
    if (rowBytes * layout.height > std::int64_t(available)) fail(kConversionError);

    MaskedChannel red, green, blue;
    if (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32) {
        std::uint32_t masks[3] = {layout.masks[0], layout.masks[1], layout.masks[2]};
        if (layout.compression != 3) {
            if (layout.bitsPerPixel == 16) {
                masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
            } else {
                masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF;
            }
        }
        red = describeMask(masks[0]);
        green = describeMask(masks[1]);
        blue = describeMask(masks[2]);
    }

    for (std::int64_t fileRow = 0; fileRow < layout.height; ++fileRow) {
        const std::uint8_t* src = data + fileRow * rowBytes;
        const std::int64_t row = layout.topDown ? layout.height - 1 - fileRow : fileRow;
        for (std::int64_t x = 0; x < layout.width; ++x) {
            Rgb c;
            switch (layout.bitsPerPixel) {
                case 1:
                    c = paletteColour(layout, (src[x >> 3] >> (7 - (x & 7))) & 1u);
                    break;
                case 4:
                    c = paletteColour(layout, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0Fu);
                    break;
                case 8:
                    c = paletteColour(layout, src[x]);
                    break;
                case 16: {
                    const std::uint32_t v = u16At(src + x * 2);
                    c = {extract(v, red), extract(v, green), extract(v, blue)};
                    break;
                }
                case 24:
                    c = {src[x * 3 + 2], src[x * 3 + 1], src[x * 3]};
                    break;
                case 32: {
                    const std::uint32_t v = u32At(src + x * 4);
                    c = {extract(v, red), extract(v, green), extract(v, blue)};
                    break;
                }
            }
            canvas.put(x, row, c);
        }
    }
}

// Run-length compressed 8-bit (nibbles == false) or 4-bit pictures. An 8-bit
// run that reaches past the end of its row is clipped there, as ImageMagick
// writes rows padded to an even width and other decoders drop the padding.
// Other runs or deltas that leave the row or the picture, and data that ends
// before the end-of-picture code, make the picture unreadable.
void decodeRunLength(const BmpLayout& layout, const std::uint8_t* data, std::size_t available,
                     bool nibbles, Canvas& canvas) {
    std::size_t pos = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;  // rows as stored: bottom-up unless the picture is top-down
    auto take = [&]() -> std::uint32_t {
        if (pos >= available) fail(kConversionError);
        return data[pos++];
    };
    auto plot = [&](std::uint32_t index) {
        if (!nibbles && x == layout.width && y < layout.height) return;
        if (x >= layout.width || y >= layout.height) fail(kConversionError);
        const std::int64_t row = layout.topDown ? layout.height - 1 - y : y;
        canvas.put(x, row, paletteColour(layout, index));
        ++x;
    };
    for (;;) {
        const std::uint32_t count = take();
        const std::uint32_t value = take();
        if (count > 0) {
            for (std::uint32_t i = 0; i < count; ++i) {
                plot(nibbles ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            return;
        } else if (value == 2) {  // delta
            x += take();
            y += take();
            if (x > layout.width || y > layout.height) fail(kConversionError);
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::uint32_t bytes = nibbles ? (value + 1) / 2 : value;
            std::uint32_t byte = 0;
            for (std::uint32_t i = 0; i < value; ++i) {
                if (nibbles) {
                    if ((i & 1) == 0) byte = take();
                    plot((i & 1) ? byte & 0x0F : byte >> 4);
                } else {
                    plot(take());
                }
            }
            if (bytes & 1) take();
        }
    }
}

// The info header's fields, and where its colour table starts.
struct BmpHeader {
    BmpLayout layout;
    std::uint32_t headerSize = 0;
    std::size_t tableOffset = 0;
    std::size_t entrySize = 4;
    std::uint32_t coloursUsed = 0;
};

// Reads a 40-byte (Windows) or 12-byte (OS/2) info header.
BmpHeader readHeader(const std::uint8_t* data, std::size_t size) {
    BmpHeader header;
    header.headerSize = u32At(data + 14);
    if (header.headerSize != 40 && header.headerSize != 12) fail(kUnknownFormat);
    if (size < 14 + std::size_t(header.headerSize)) fail(kConversionError);
    BmpLayout& layout = header.layout;
    const std::uint8_t* info = data + 14;
    header.tableOffset = 14 + header.headerSize;
    if (header.headerSize == 40) {
        layout.width = std::int32_t(u32At(info + 4));
        const std::int64_t height = std::int32_t(u32At(info + 8));
        layout.topDown = height < 0;
        layout.height = height < 0 ? -height : height;
        layout.bitsPerPixel = u16At(info + 14);
        layout.compression = u32At(info + 16);
        header.coloursUsed = u32At(info + 32);
        if (layout.compression == 3) {
            if (size < header.tableOffset + 12) fail(kConversionError);
            for (int i = 0; i < 3; ++i) layout.masks[i] = u32At(data + header.tableOffset + 4 * i);
            header.tableOffset += 12;
        }
    } else {
        layout.width = u16At(info + 4);
        layout.height = u16At(info + 6);
        layout.bitsPerPixel = u16At(info + 10);
        header.entrySize = 3;
    }
    return header;
}

// Fails unless the depth and compression go together and the size is one
// the reader takes.
void checkLayout(const BmpLayout& layout) {
    const std::uint32_t bpp = layout.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        fail(kConversionError);
    }
    switch (layout.compression) {
        case 0:
            break;
        case 1:
            if (bpp != 8) fail(kConversionError);
            break;
        case 2:
            if (bpp != 4) fail(kConversionError);
            break;
        case 3:
            if (bpp != 16 && bpp != 32) fail(kConversionError);
            break;
        default:
            fail(kConversionError);
    }
    if (layout.width <= 0 || layout.height <= 0) fail(kConversionError);
    if (layout.width > kMaxSide || layout.height > kMaxSide ||
        layout.width * layout.height > kMaxPixels) {
        fail(kOutOfMemory);
    }
}

// The colour table of a picture of 8 bits per pixel or fewer.
void readPalette(const std::uint8_t* data, std::size_t size, BmpHeader& header) {
    const std::uint32_t bpp = header.layout.bitsPerPixel;
    std::uint64_t entries =
        (header.headerSize == 40 && header.coloursUsed != 0) ? header.coloursUsed : 1u << bpp;
    // Only the first 2^bpp entries can ever be addressed.
    if (entries > (1u << bpp)) entries = 1u << bpp;
    if (header.tableOffset + entries * header.entrySize > size) fail(kConversionError);
    header.layout.palette.resize(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = data + header.tableOffset + i * header.entrySize;
        header.layout.palette[i] = {e[2], e[1], e[0]};
    }
}

std::unique_ptr<RgbImage> decode(const std::uint8_t* data, std::size_t size) {
    if (size < 18 || data[0] != 'B' || data[1] != 'M') fail(kUnknownFormat);
    const std::uint32_t pixelOffset = u32At(data + 10);
    BmpHeader header = readHeader(data, size);
    const BmpLayout& layout = header.layout;
    checkLayout(layout);
    if (layout.bitsPerPixel <= 8) readPalette(data, size, header);

    if (pixelOffset > size) fail(kConversionError);
    auto image = std::make_unique<RgbImage>();
    image->width = std::int32_t(layout.width);
    image->height = std::int32_t(layout.height);
    image->pixels.assign(std::size_t(layout.width * layout.height * 3), 0);
    Canvas canvas{layout.width, layout.height, image->pixels};
    const std::uint8_t* pixelData = data + pixelOffset;
    const std::size_t available = size - pixelOffset;
    if (layout.compression == 1 || layout.compression == 2) {
        decodeRunLength(layout, pixelData, available, layout.compression == 2, canvas);
    } else {
        decodeUncompressed(layout, pixelData, available, canvas);
    }
    return image;
}

}  // namespace

std::unique_ptr<RgbImage> decodeBmpImage(const std::uint8_t* data, std::size_t size,
                                         const char* name) {
    (void)name;  // the texts of this reader do not name the file
    try {
        return decode(data, size);
    } catch (const DecodeFailure& failure) {
        showMessageBox("Error", failure.text);
    } catch (const std::bad_alloc&) {
        showMessageBox("Error", kOutOfMemory);
    }
    return nullptr;
}

std::unique_ptr<RgbImage> loadBmpImage(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "rb");
    std::vector<std::uint8_t> bytes;
    bool readOk = file != nullptr;
    if (file) {
        std::uint8_t chunk[65536];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        readOk = !std::ferror(file);
        std::fclose(file);
    }
    if (!readOk) {
        showMessageBoxf("Error", "Failed to open DIB file %s.\n", fileName);
        return nullptr;
    }
    return decodeBmpImage(bytes.data(), bytes.size(), fileName);
}
