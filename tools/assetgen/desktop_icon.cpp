// The launcher icon: a round desert badge with a tank silhouette.
#include <cmath>

#include "asset_sets.h"
#include "png_writer.h"

namespace {

constexpr int kSize = 64;

// Coverage of a pixel by a shape given as a predicate, 4 x 4 supersampled.
template <typename Inside>
float coverage(int px, int py, Inside inside) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside(px + (sx + 0.5f) / 4.0f, py + (sy + 0.5f) / 4.0f)) ++hits;
    return hits / 16.0f;
}

Rgb mix(Rgb a, Rgb b, float t) {
    auto lerp = [t](int x, int y) { return static_cast<std::uint8_t>(std::lround(x + (y - x) * t)); };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

bool inTank(float x, float y) {
    // Hull with sloped front and back, tracks below, turret and a long barrel.
    const bool hull = y >= 34 && y <= 42 && x >= 14 + (42 - y) * 0.6f && x <= 50 - (42 - y) * 0.6f;
    const bool tracks = y >= 42 && y <= 48 && x >= 12 + (y - 42) * 0.5f && x <= 52 - (y - 42) * 0.5f;
    const float tx = x - 30, ty = y - 32;
    const bool turret = tx * tx / 100.0f + ty * ty / 25.0f <= 1.0f && y <= 35;
    const bool barrel = y >= 28.5f && y <= 31.0f && x >= 36 && x <= 56;
    return hull || tracks || turret || barrel;
}

}  // namespace

bool writeDesktopIcon(const std::string& outDir) {
    Image image(kSize, kSize, Rgb{0, 0, 0});
    std::vector<std::uint8_t> alpha(kSize * kSize, 0);
    const float c = kSize / 2.0f;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float disc = coverage(x, y, [c](float fx, float fy) {
                return (fx - c) * (fx - c) + (fy - c) * (fy - c) <= 31.0f * 31.0f;
            });
            const float inner = coverage(x, y, [c](float fx, float fy) {
                return (fx - c) * (fx - c) + (fy - c) * (fy - c) <= 28.0f * 28.0f;
            });
            // Dusk sky fading into sand, inside a dark rim.
            const float t = y / static_cast<float>(kSize);
            Rgb ground = t < 0.62f ? mix(Rgb{214, 92, 38}, Rgb{246, 196, 110}, t / 0.62f)
                                   : mix(Rgb{196, 150, 84}, Rgb{150, 108, 58}, (t - 0.62f) / 0.38f);
            Rgb colour = mix(Rgb{48, 36, 28}, ground, inner);
            colour = mix(colour, Rgb{34, 40, 46}, coverage(x, y, inTank));
            image.at(x, y) = colour;
            alpha[y * kSize + x] = static_cast<std::uint8_t>(std::lround(disc * 255));
        }
    }
    return writePng(outDir + "/brakkon.png", image, alpha);
}
