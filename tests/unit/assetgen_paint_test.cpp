// The painting toolkit behind the generated pictures.
#include <gtest/gtest.h>

#include <cmath>

#include "paint.h"

namespace {

TEST(Paint, PeriodicNoiseRepeatsAcrossItsPeriodAlsoBelowZero) {
    const ValueNoise noise(1234u, 8);
    for (float y : {-13.3f, -0.5f, 0.0f, 2.25f, 7.9f})
        for (float x : {-9.7f, -1.0f, 0.3f, 3.5f, 6.99f}) {
            EXPECT_NEAR(noise.fractal(x, y, 4), noise.fractal(x + 8, y, 4), 1e-5f) << x << "," << y;
            EXPECT_NEAR(noise.fractal(x, y, 4), noise.fractal(x, y - 16, 4), 1e-5f)
                << x << "," << y;
            const float v = noise.fractal(x, y, 4);
            EXPECT_GE(v, 0.0f);
            EXPECT_LE(v, 1.0f);
        }
    // Without a period the field does not repeat there.
    const ValueNoise free(1234u);
    int same = 0;
    for (int i = 0; i < 20; ++i)
        if (free.at(i * 0.37f, 1.1f) == free.at(i * 0.37f + 8, 1.1f)) ++same;
    EXPECT_LT(same, 3);
}

TEST(Paint, PrivateRandomIsFixedBySeedAndStaysInRange) {
    PictureRandom a(77u), b(77u), c(78u);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const float va = a.uniform();
        EXPECT_EQ(va, b.uniform());
        if (va != c.uniform()) differs = true;
        EXPECT_GE(va, 0.0f);
        EXPECT_LT(va, 1.0f);
        const float r = a.range(-3.0f, 5.0f);
        b.range(-3.0f, 5.0f);
        c.range(-3.0f, 5.0f);
        EXPECT_GE(r, -3.0f);
        EXPECT_LT(r, 5.0f);
    }
    EXPECT_TRUE(differs);
}

// Sum of how far each pixel was moved from white to black: the painted area.
float paintedArea(const Image& image) {
    float area = 0.0f;
    for (const Rgb& p : image.pixels) area += (255 - p.r) / 255.0f;
    return area;
}

TEST(Paint, ShapesCoverTheirAreaAndClipAtTheEdges) {
    Image image(64, 64, Rgb{255, 255, 255});
    fillPolygon(image, {{10, 10}, {40, 10}, {40, 30}, {10, 30}}, Colour{0, 0, 0});
    EXPECT_NEAR(paintedArea(image), 30 * 20, 1.0f);
    EXPECT_EQ(image.at(9, 20).r, 255);
    EXPECT_EQ(image.at(10, 20).r, 0);

    Image triangle(64, 64, Rgb{255, 255, 255});
    fillPolygon(triangle, {{0, 0}, {40, 0}, {0, 40}}, Colour{0, 0, 0});
    EXPECT_NEAR(paintedArea(triangle), 800, 10);

    Image disc(64, 64, Rgb{255, 255, 255});
    softDisc(disc, 32, 32, 10, 0, Colour{0, 0, 0});
    EXPECT_NEAR(paintedArea(disc), 3.14159f * 100, 6);

    // Shapes hanging over every edge paint only what is inside.
    Image edge(16, 16, Rgb{255, 255, 255});
    fillPolygon(edge, {{-20, -20}, {40, -20}, {40, 40}, {-20, 40}}, Colour{0, 0, 0});
    strokeLine(edge, {-30, 8}, {50, 8}, 6, Colour{0, 0, 0});
    softDisc(edge, -5, -5, 30, 4, Colour{0, 0, 0});
    EXPECT_NEAR(paintedArea(edge), 256, 0.5f);
}

TEST(Paint, BlurAndDilateKeepCoverageInPlace) {
    Coverage dot;
    dot.x = 20;
    dot.y = 30;
    dot.width = dot.height = 5;
    dot.values.assign(25, 0.0f);
    dot.values[12] = 1.0f;  // the centre pixel, at (22, 32) in the picture
    const Coverage soft = blurred(dot, 2);
    float total = 0.0f;
    for (float v : soft.values) total += v;
    EXPECT_NEAR(total, 1.0f, 1e-3f);  // blurring spreads, never adds or loses
    EXPECT_EQ(soft.x + soft.width / 2, 22);
    EXPECT_EQ(soft.y + soft.height / 2, 32);
    const Coverage wide = dilated(dot, 3);
    EXPECT_FLOAT_EQ(wide.at(wide.width / 2 + 2, wide.height / 2), 1.0f);
    EXPECT_FLOAT_EQ(wide.at(wide.width / 2 + 3, wide.height / 2), 0.5f);      // smoothed rim
    EXPECT_FLOAT_EQ(wide.at(wide.width / 2 + 3, wide.height / 2 + 3), 0.0f);  // a round brush
    Image image(40, 40, Rgb{255, 255, 255});
    paintCoverage(image, wide, [](int, int) { return Colour{0, 0, 0}; });
    EXPECT_EQ(image.at(22, 32).r, 0);
    EXPECT_EQ(image.at(24, 32).r, 0);
    EXPECT_EQ(image.at(22, 36).r, 255);
}

}  // namespace
