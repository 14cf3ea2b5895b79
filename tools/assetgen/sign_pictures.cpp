#include "sign_pictures.h"

#include <cmath>
#include <functional>
#include <vector>

#include "image.h"
#include "text_render.h"

namespace {
constexpr float kPi = 3.14159265358979f;

const Rgb kWhite{250, 250, 246};
const Rgb kRed{196, 30, 36};
const Rgb kBlack{24, 24, 24};
const Rgb kYellow{246, 200, 40};
const Rgb kGreen{20, 110, 60};

Rgb mix(Rgb a, Rgb b, float t) {
    auto lerp = [t](int x, int y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
    };
    return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

// Paints `colour` wherever inside(u, v) holds (u, v in 0..1 across the
// picture, v upward), with 4x4 supersampling for smooth edges.
void fillShape(Image& image, Rgb colour, const std::function<bool(float, float)>& inside) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float u = (x + (sx + 0.5f) / 4) / image.width;
                    const float v = 1.0f - (y + (sy + 0.5f) / 4) / image.height;
                    if (inside(u, v)) ++hits;
                }
            if (hits > 0) image.at(x, y) = mix(image.at(x, y), colour, hits / 16.0f);
        }
}

// Inside a regular polygon in the unit square, matching the sign outlines
// (centre 0.5, 0.5; radius 0.5 in the larger of the outline's extents).
std::function<bool(float, float)> polygonShape(int corners, float turn, float scale,
                                               float cx = 0.5f, float cy = 0.5f, float sx = 1,
                                               float sy = 1) {
    return [=](float u, float v) {
        const float x = (u - cx) / sx, y = (v - cy) / sy;
        for (int i = 0; i < corners; ++i) {
            const float a0 = turn + 2 * kPi * i / corners, a1 = turn + 2 * kPi * (i + 1) / corners;
            const float ax = scale * std::cos(a0), ay = scale * std::sin(a0);
            const float bx = scale * std::cos(a1), by = scale * std::sin(a1);
            if ((bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0) return false;
        }
        return true;
    };
}

bool text(Image& image, float u, float v, const std::string& s, int height, Rgb colour,
          Font font = Font::SansBold) {
    TextStyle style;
    style.font = font;
    style.pixelHeight = height;
    style.colour = colour;
    return drawTextCentred(image, static_cast<int>(u * image.width),
                           static_cast<int>((1.0f - v) * image.height), s, style);
}

bool save(const std::string& outDir, const char* path, const Image& image) {
    return writeBmp24(outDir + "/" + path, image);
}

Image stopSign() {
    Image image(256, 256, kWhite);
    fillShape(image, kRed, polygonShape(8, kPi / 8, 0.46f));
    text(image, 0.5f, 0.5f, "STOP", 66, kWhite);
    return image;
}

Image limitSign() {
    Image image(256, 256, kRed);
    fillShape(image, kWhite,
              [](float u, float v) { return std::hypot(u - 0.5f, v - 0.5f) < 0.39f; });
    text(image, 0.5f, 0.5f, "50", 120, kBlack);
    return image;
}

Image minesSign() {
    // The panel's triangle fills the picture: apex at the top centre, base
    // along the bottom edge. A white triangle inside leaves a red border.
    Image image(256, 256, kRed);
    fillShape(image, kWhite, [](float u, float v) {
        const float ax = 0.5f, ay = 0.86f, bx = 0.12f, by = 0.07f, cx = 0.88f, cy = 0.07f;
        auto edge = [](float px, float py, float qx, float qy, float x, float y) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        return edge(bx, by, cx, cy, u, v) >= 0 && edge(cx, cy, ax, ay, u, v) >= 0 &&
               edge(ax, ay, bx, by, u, v) >= 0;
    });
    text(image, 0.5f, 0.45f, "!", 90, kBlack);
    text(image, 0.5f, 0.18f, "MINES", 36, kBlack);
    return image;
}

Image townSign() {
    Image image(512, 256, kWhite);
    fillShape(image, kGreen,
              [](float u, float v) { return u > 0.025f && u < 0.975f && v > 0.05f && v < 0.95f; });
    text(image, 0.5f, 0.66f, "BRAKKON", 84, kWhite);
    text(image, 0.5f, 0.26f, "12 km  ->", 70, kWhite);
    return image;
}

Image waterSign() {
    Image image(256, 256, kBlack);
    fillShape(image, kYellow, polygonShape(4, 0, 0.45f));
    text(image, 0.5f, 0.60f, "NO", 44, kBlack);
    text(image, 0.5f, 0.45f, "WATER", 40, kBlack);
    text(image, 0.5f, 0.30f, "200 km", 30, kBlack);
    return image;
}

Image flag() {
    // A dark red field with a sand-coloured roundel and the letters MF.
    Image image(256, 128, Rgb{150, 24, 20});
    fillShape(image, Rgb{226, 196, 130},
              [](float u, float v) { return std::hypot((u - 0.5f) * 2.0f, v - 0.5f) < 0.38f; });
    fillShape(image, Rgb{150, 24, 20},
              [](float u, float v) { return std::hypot((u - 0.5f) * 2.0f, v - 0.5f) < 0.30f; });
    fillShape(image, Rgb{40, 30, 24}, [](float, float v) {
        return v < 0.08f || v > 0.92f;  // dark hems
    });
    text(image, 0.5f, 0.5f, "MF", 40, Rgb{226, 196, 130});
    return image;
}

// Concrete panels with seams and a few stains.
Image blockWall() {
    // Bright: the level draws blocks scaled by 20 without renormalising,
    // which leaves them lit mostly by the ambient light.
    Image image(128, 128, Rgb{236, 228, 210});
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            // Deterministic speckle from a small integer hash.
            unsigned h =
                static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
            h = (h ^ (h >> 13)) * 1274126177u;
            const int grain = static_cast<int>((h >> 24) % 21) - 10;
            Rgb& p = image.at(x, y);
            p = {static_cast<std::uint8_t>(p.r + grain), static_cast<std::uint8_t>(p.g + grain),
                 static_cast<std::uint8_t>(p.b + grain)};
            const bool seam = x % 64 < 2 || y % 32 < 2;
            if (seam) p = {150, 142, 126};
        }
    return image;
}

Image blockRoof() {
    Image image(128, 128, Rgb{190, 182, 166});
    fillShape(image, Rgb{240, 232, 214},
              [](float u, float v) { return u > 0.06f && u < 0.94f && v > 0.06f && v < 0.94f; });
    fillShape(image, Rgb{120, 114, 104}, [](float u, float v) {
        return std::hypot(u - 0.7f, v - 0.3f) < 0.1f;  // vent
    });
    return image;
}
}  // namespace

bool writeSignPictures(const std::string& outDir) {
    bool ok = true;
    ok = save(outDir, kStopPicture, stopSign()) && ok;
    ok = save(outDir, kLimitPicture, limitSign()) && ok;
    ok = save(outDir, kMinesPicture, minesSign()) && ok;
    ok = save(outDir, kTownPicture, townSign()) && ok;
    ok = save(outDir, kWaterPicture, waterSign()) && ok;
    ok = save(outDir, kFlagPicture, flag()) && ok;
    ok = save(outDir, kBlockWallPicture, blockWall()) && ok;
    ok = save(outDir, kBlockRoofPicture, blockRoof()) && ok;
    return ok;
}
