// The launcher icon: a round desert badge with a tank silhouette, drawn at
// each size the desktop's icon theme asks for.
#include <cmath>
#include <filesystem>

#include "asset_sets.h"
#include "png_writer.h"

namespace {

// The badge is designed on a 64-unit square; other sizes scale it.
constexpr float kDesign = 64.0f;

// Coverage of a pixel by a shape given as a predicate in design units,
// 4 x 4 supersampled; `scale` is pixels per design unit.
template <typename Inside>
float coverage(int px, int py, float scale, Inside inside) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside((px + (sx + 0.5f) / 4.0f) / scale, (py + (sy + 0.5f) / 4.0f) / scale))
                ++hits;
    return hits / 16.0f;
}

Rgb mix(Rgb a, Rgb b, float t) {
    auto lerp = [t](int x, int y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
    };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

bool inTank(float x, float y) {
    // Hull with sloped front and back, tracks below, turret and a long barrel.
    const bool hull = y >= 34 && y <= 42 && x >= 14 + (42 - y) * 0.6f && x <= 50 - (42 - y) * 0.6f;
    const bool tracks =
        y >= 42 && y <= 48 && x >= 12 + (y - 42) * 0.5f && x <= 52 - (y - 42) * 0.5f;
    const float tx = x - 30, ty = y - 32;
    const bool turret = tx * tx / 100.0f + ty * ty / 25.0f <= 1.0f && y <= 35;
    const bool barrel = y >= 28.5f && y <= 31.0f && x >= 36 && x <= 56;
    return hull || tracks || turret || barrel;
}

bool writeIconAt(const std::string& path, int size) {
    const float scale = size / kDesign;
    Image image(size, size, Rgb{0, 0, 0});
    std::vector<std::uint8_t> alpha(size * size, 0);
    const float c = kDesign / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float disc = coverage(x, y, scale, [c](float fx, float fy) {
                return (fx - c) * (fx - c) + (fy - c) * (fy - c) <= 31.0f * 31.0f;
            });
            const float inner = coverage(x, y, scale, [c](float fx, float fy) {
                return (fx - c) * (fx - c) + (fy - c) * (fy - c) <= 28.0f * 28.0f;
            });
            // Dusk sky fading into sand, inside a dark rim.
            const float t = y / static_cast<float>(size);
            Rgb ground = t < 0.62f ? mix(Rgb{214, 92, 38}, Rgb{246, 196, 110}, t / 0.62f)
                                   : mix(Rgb{196, 150, 84}, Rgb{150, 108, 58}, (t - 0.62f) / 0.38f);
            Rgb colour = mix(Rgb{48, 36, 28}, ground, inner);
            colour = mix(colour, Rgb{34, 40, 46}, coverage(x, y, scale, inTank));
            image.at(x, y) = colour;
            alpha[y * size + x] = static_cast<std::uint8_t>(std::lround(disc * 255));
        }
    }
    return writePng(path, image, alpha);
}

}  // namespace

bool writeDesktopIcon(const std::string& outDir) {
    bool ok = true;
    for (int size : kDesktopIconSizes) {
        const std::string dir = outDir + "/" + desktopIconFolder(size);
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        ok = writeIconAt(dir + "/brakkon.png", size) && ok;
    }
    return ok;
}

std::string desktopIconFolder(int size) {
    const std::string side = std::to_string(size);
    return "icons/hicolor/" + side + "x" + side + "/apps";
}
