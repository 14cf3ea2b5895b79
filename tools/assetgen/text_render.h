#pragma once
// Text drawn into pictures with FreeType and the DejaVu fonts.
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

enum class Font { Sans, SansBold, Mono, MonoBold, Serif, SerifBold };

struct TextStyle {
    Font font = Font::SansBold;
    int pixelHeight = 32;  // nominal em height in pixels
    Rgb colour{255, 255, 255};
};

// Pixel width and height of the text's ink box (0, 0 if the font cannot be loaded).
void measureText(const std::string& text, const TextStyle& style, int& width, int& height);
// Draws text with its ink box's top-left corner at (x, y), blended by
// coverage over what is there. Returns false if the font cannot be loaded.
bool drawText(Image& image, int x, int y, const std::string& text, const TextStyle& style);
// Draws text centred on (cx, cy).
bool drawTextCentred(Image& image, int cx, int cy, const std::string& text, const TextStyle& style);

// Coverage (0..255) of rendered text, cropped to its ink box, row 0 at the top.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};
// Renders text into a coverage mask (empty for text without ink). Returns
// false if the font cannot be loaded.
bool renderTextMask(const std::string& text, const TextStyle& style, TextMask& mask);
// Blends colour over the image by the mask's coverage, mask's top-left at (x, y).
void blendMask(Image& image, int x, int y, const TextMask& mask, Rgb colour);
