#pragma once
// Text drawn into pictures with FreeType and the DejaVu fonts.
#include <string>

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
bool drawTextCentred(Image& image, int cx, int cy, const std::string& text,
                     const TextStyle& style);
