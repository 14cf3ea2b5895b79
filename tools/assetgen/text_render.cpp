#include "text_render.h"

#include <ft2build.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include FT_FREETYPE_H

#ifndef ASSETGEN_FONT_DIR
#define ASSETGEN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

const char* fontFileName(Font font) {
    switch (font) {
        case Font::Sans:
            return "DejaVuSans.ttf";
        case Font::SansBold:
            return "DejaVuSans-Bold.ttf";
        case Font::Mono:
            return "DejaVuSansMono.ttf";
        case Font::MonoBold:
            return "DejaVuSansMono-Bold.ttf";
        case Font::Serif:
            return "DejaVuSerif.ttf";
        case Font::SerifBold:
            return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

// One FreeType library and each font face opened once for the whole run;
// released at exit so leak checkers stay quiet.
class FontCache {
public:
    ~FontCache() {
        for (auto& entry : faces_)
            if (entry.second) FT_Done_Face(entry.second);
        if (library_) FT_Done_FreeType(library_);
    }

    FT_Face face(Font font) {
        auto found = faces_.find(font);
        if (found != faces_.end()) return found->second;
        FT_Face result = nullptr;
        if (ensureLibrary()) {
            const std::string path = std::string(ASSETGEN_FONT_DIR) + "/" + fontFileName(font);
            if (FT_New_Face(library_, path.c_str(), 0, &result) != 0) {
                std::fprintf(stderr, "assetgen: cannot load font %s\n", path.c_str());
                result = nullptr;
            }
        }
        faces_[font] = result;  // remember failures too, so the message appears once
        return result;
    }

private:
    bool ensureLibrary() {
        if (library_) return true;
        if (libraryFailed_) return false;
        if (FT_Init_FreeType(&library_) != 0) {
            std::fprintf(stderr, "assetgen: cannot start FreeType\n");
            library_ = nullptr;
            libraryFailed_ = true;
        }
        return library_ != nullptr;
    }

    FT_Library library_ = nullptr;
    bool libraryFailed_ = false;
    std::map<Font, FT_Face> faces_;
};

FontCache& fontCache() {
    static FontCache cache;
    return cache;
}

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::vector<unsigned long> decodeUtf8(const std::string& text) {
    std::vector<unsigned long> out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        unsigned long cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (next & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += 1 + extra;
    }
    return out;
}

}  // namespace

bool renderTextMask(const std::string& text, const TextStyle& style, TextMask& mask) {
    mask = TextMask{};
    FT_Face face = fontCache().face(style.font);
    if (!face) return false;
    const int pixelHeight = std::max(1, style.pixelHeight);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) return false;

    // Lay the glyphs out on a baseline at y = 0, keeping each coverage bitmap.
    struct Placed {
        int left, top, width, height;
        std::vector<std::uint8_t> coverage;
    };
    std::vector<Placed> placed;
    const bool kerning = FT_HAS_KERNING(face);
    FT_UInt previous = 0;
    long penX = 0;  // 26.6 fixed point
    for (unsigned long cp : decodeUtf8(text)) {
        const FT_UInt glyph = FT_Get_Char_Index(face, cp);
        if (kerning && previous && glyph) {
            FT_Vector delta;
            if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &delta) == 0)
                penX += delta.x;
        }
        previous = glyph;
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.width > 0 && bitmap.rows > 0 && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
            Placed p;
            p.left = static_cast<int>((penX + 32) >> 6) + slot->bitmap_left;
            p.top = -slot->bitmap_top;
            p.width = static_cast<int>(bitmap.width);
            p.height = static_cast<int>(bitmap.rows);
            p.coverage.resize(static_cast<size_t>(p.width) * p.height);
            for (int row = 0; row < p.height; ++row) {
                const unsigned char* src = bitmap.buffer + row * bitmap.pitch;
                std::copy(src, src + p.width, p.coverage.begin() + row * p.width);
            }
            placed.push_back(std::move(p));
        }
        penX += slot->advance.x;
    }
    if (placed.empty()) return true;

    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (const Placed& p : placed) {
        minX = std::min(minX, p.left);
        minY = std::min(minY, p.top);
        maxX = std::max(maxX, p.left + p.width);
        maxY = std::max(maxY, p.top + p.height);
    }
    mask.width = maxX - minX;
    mask.height = maxY - minY;
    mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0);
    for (const Placed& p : placed) {
        for (int row = 0; row < p.height; ++row) {
            for (int col = 0; col < p.width; ++col) {
                std::uint8_t& dst =
                    mask.coverage[static_cast<size_t>(p.top - minY + row) * mask.width +
                                  (p.left - minX + col)];
                dst = std::max(dst, p.coverage[static_cast<size_t>(row) * p.width + col]);
            }
        }
    }
    return true;
}

void measureText(const std::string& text, const TextStyle& style, int& width, int& height) {
    TextMask mask;
    renderTextMask(text, style, mask);
    width = mask.width;
    height = mask.height;
}

void blendMask(Image& image, int x, int y, const TextMask& mask, Rgb colour) {
    for (int row = 0; row < mask.height; ++row) {
        const int py = y + row;
        if (py < 0 || py >= image.height) continue;
        for (int col = 0; col < mask.width; ++col) {
            const int px = x + col;
            if (px < 0 || px >= image.width) continue;
            const int a = mask.coverage[static_cast<size_t>(row) * mask.width + col];
            if (a == 0) continue;
            Rgb& dst = image.at(px, py);
            dst.r = static_cast<std::uint8_t>((colour.r * a + dst.r * (255 - a) + 127) / 255);
            dst.g = static_cast<std::uint8_t>((colour.g * a + dst.g * (255 - a) + 127) / 255);
            dst.b = static_cast<std::uint8_t>((colour.b * a + dst.b * (255 - a) + 127) / 255);
        }
    }
}

bool drawText(Image& image, int x, int y, const std::string& text, const TextStyle& style) {
    TextMask mask;
    if (!renderTextMask(text, style, mask)) return false;
    blendMask(image, x, y, mask, style.colour);
    return true;
}

bool drawTextCentred(Image& image, int cx, int cy, const std::string& text,
                     const TextStyle& style) {
    TextMask mask;
    if (!renderTextMask(text, style, mask)) return false;
    blendMask(image, cx - mask.width / 2, cy - mask.height / 2, mask, style.colour);
    return true;
}
