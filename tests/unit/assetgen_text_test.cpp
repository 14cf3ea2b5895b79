// Text drawn into pictures: measuring, placement and blending.
#include <gtest/gtest.h>

#include "text_render.h"

namespace {

// Bounding box of pixels that differ from the background.
struct Box {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
};
Box inkBox(const Image& image, Rgb background) {
    Box box;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            if (p.r == background.r && p.g == background.g && p.b == background.b) continue;
            box.minX = std::min(box.minX, x);
            box.minY = std::min(box.minY, y);
            box.maxX = std::max(box.maxX, x);
            box.maxY = std::max(box.maxY, y);
        }
    return box;
}

TEST(TextRender, MeasureGrowsWithTextAndSize) {
    int w1, h1, w2, h2, w3, h3;
    measureText("KILLS", TextStyle{Font::SansBold, 20, {}}, w1, h1);
    measureText("KILLS KILLS", TextStyle{Font::SansBold, 20, {}}, w2, h2);
    measureText("KILLS", TextStyle{Font::SansBold, 40, {}}, w3, h3);
    EXPECT_GT(w1, 20);
    EXPECT_GT(h1, 10);
    EXPECT_GT(w2, 2 * w1);
    EXPECT_EQ(h2, h1);
    EXPECT_NEAR(w3, 2 * w1, 4);
    EXPECT_NEAR(h3, 2 * h1, 3);
    // Blank text has no ink at all.
    measureText("   ", TextStyle{}, w1, h1);
    EXPECT_EQ(w1, 0);
    EXPECT_EQ(h1, 0);
}

TEST(TextRender, InkBoxLandsWhereAskedAndClipsAtEdges) {
    const TextStyle style{Font::Sans, 24, {0, 0, 0}};
    int w, h;
    measureText("HITS", style, w, h);
    Image image(128, 64, Rgb{255, 255, 255});
    ASSERT_TRUE(drawText(image, 10, 7, "HITS", style));
    const Box box = inkBox(image, Rgb{255, 255, 255});
    EXPECT_EQ(box.minX, 10);
    EXPECT_EQ(box.minY, 7);
    EXPECT_EQ(box.maxX, 10 + w - 1);
    EXPECT_EQ(box.maxY, 7 + h - 1);

    // Text hanging over every edge is clipped, never written out of bounds.
    Image small(8, 8, Rgb{255, 255, 255});
    EXPECT_TRUE(drawText(small, -20, -10, "WWWWWW", TextStyle{Font::SerifBold, 40, {}}));
    EXPECT_TRUE(drawText(small, 5, 5, "WWWWWW", TextStyle{Font::SerifBold, 40, {}}));
}

TEST(TextRender, CentredTextIsCentredAndColoured) {
    const TextStyle style{Font::MonoBold, 30, {200, 40, 10}};
    Image image(100, 100, Rgb{0, 0, 0});
    ASSERT_TRUE(drawTextCentred(image, 50, 50, "8", style));
    const Box box = inkBox(image, Rgb{0, 0, 0});
    EXPECT_NEAR((box.minX + box.maxX) / 2.0, 50, 1.5);
    EXPECT_NEAR((box.minY + box.maxY) / 2.0, 50, 1.5);
    // Full-coverage pixels take exactly the text colour.
    bool sawSolid = false;
    for (const Rgb& p : image.pixels)
        if (p.r == 200 && p.g == 40 && p.b == 10) sawSolid = true;
    EXPECT_TRUE(sawSolid);
}

TEST(TextRender, AllFontsLoadAndOddBytesAreHarmless) {
    for (Font f :
         {Font::Sans, Font::SansBold, Font::Mono, Font::MonoBold, Font::Serif, Font::SerifBold}) {
        TextMask mask;
        EXPECT_TRUE(renderTextMask("Ag", TextStyle{f, 16, {}}, mask));
        EXPECT_GT(mask.width, 0);
    }
    // Truncated and stray UTF-8 sequences render a replacement, never read past the end.
    TextMask mask;
    EXPECT_TRUE(renderTextMask(std::string("A\xC3", 2), TextStyle{}, mask));
    EXPECT_TRUE(renderTextMask(std::string("\xE2\x82", 2), TextStyle{}, mask));
    EXPECT_TRUE(renderTextMask(std::string("\xFF\x80z", 3), TextStyle{}, mask));
    EXPECT_TRUE(renderTextMask("\xC3\xA9t\xC3\xA9", TextStyle{}, mask));
}

}  // namespace
