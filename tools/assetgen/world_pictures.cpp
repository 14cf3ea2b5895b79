// The ground texture and the five faces of the sky box.
#include <cmath>
#include <string>

#include "asset_sets.h"
#include "assets/asset_names.h"
#include "paint.h"

namespace {

const float kPi = 3.14159265f;

// ---- Ground ------------------------------------------------------------------

constexpr int kSandSize = 256;

// Light, fine sand. The terrain modulates it with its brown colour and lays it
// once per cell, mirrored every other column, so every noise layer repeats
// exactly across the picture and the cells join without seams.
Image desertTexture() {
    Image image(kSandSize, kSandSize);
    const ValueNoise broad(0xD35Eu, 4);
    const ValueNoise grain(0x6A1Au, 128);
    const ValueNoise speck(0x5BECu, 256);
    const float toBroad = 4.0f / kSandSize, toGrain = 128.0f / kSandSize,
                toSpeck = 256.0f / kSandSize;
    for (int y = 0; y < kSandSize; ++y)
        for (int x = 0; x < kSandSize; ++x) {
            const float b = broad.fractal(x * toBroad, y * toBroad, 3);
            const float g = grain.fractal(x * toGrain, y * toGrain, 2);
            const float s = speck.at(x * toSpeck, y * toSpeck);
            float light = 0.88f + 0.06f * (b - 0.5f) + 0.22f * (g - 0.5f);
            // Scattered darker grains and a few bright quartz glints.
            if (s < 0.1f) light -= 0.2f * (1.0f - s / 0.1f);
            if (s > 0.94f) light += 0.12f * (s - 0.94f) / 0.06f;
            image.at(x, y) = toRgb(scaleColour(Colour{255, 246, 232}, light));
        }
    return image;
}

// ---- Sky box -----------------------------------------------------------------

constexpr int kSkySize = 512;

// The colour the haze fogs everything to; the sky meets it at the horizon.
const Colour kFog{0.55f * 255, 0.42f * 255, 0.24f * 255};

struct Direction {
    float x, y, z;
};

// Which way a texel of a face looks from the box's centre. Each face is laid
// so that, seen from inside, s runs left to right and t bottom to top
// (t = 0 is the picture's bottom row); the faces form a ring
// back - right - front - left with the top face over them.
enum class Face { Back, Front, Top, Left, Right };

Direction faceDirection(Face face, float s, float t) {
    const float a = 2.0f * s - 1.0f, b = 2.0f * t - 1.0f;
    switch (face) {
        case Face::Back:
            return {a, b, -1.0f};
        case Face::Front:
            return {-a, b, 1.0f};
        case Face::Top:
            return {-a, 1.0f, -b};
        case Face::Left:
            return {-1.0f, b, -a};
        case Face::Right:
            return {1.0f, b, a};
    }
    return {0, 0, 1};
}

class SkyPainter {
public:
    Colour at(Direction d) const {
        const float length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
        const float up = d.y / length;
        const float elevation = std::asin(up) * 180.0f / kPi;  // degrees
        const float azimuth = std::atan2(d.x, d.z);            // -pi..pi
        const float turn = (azimuth + kPi) / (2.0f * kPi);     // 0..1 round the ring

        if (elevation <= 0.0f) return kFog;  // below the horizon: the haze itself

        // Sky: a warm dusty band over the horizon, thinning to pale blue above.
        static const std::vector<GradientStop> sky = {
            {0.0f, kFog},
            {1.5f, Colour{196, 160, 112}},
            {6.0f, Colour{214, 190, 150}},
            {18.0f, Colour{150, 168, 190}},
            {45.0f, Colour{70, 122, 206}},
            {90.0f, Colour{38, 94, 210}},
        };
        Colour c = gradientAt(sky, elevation);

        // A soft low sun burning through the dust.
        const Direction sun = sunDirection();
        const float cosAngle = (d.x * sun.x + d.y * sun.y + d.z * sun.z) / length;
        const float angle = std::acos(std::fmax(-1.0f, std::fmin(1.0f, cosAngle))) * 180.0f / kPi;
        c = mixColour(c, Colour{255, 236, 196}, 0.6f * std::exp(-angle / 18.0f));
        c = mixColour(c, Colour{255, 255, 245}, 1.0f - smoothstep(2.6f, 3.8f, angle));

        // Thin high streaks of cloud on a flat layer overhead.
        if (up > 0.02f) {
            const float cx = d.x / d.y * 0.35f, cz = d.z / d.y * 0.35f;
            const float streak = clouds_.fractal(cx * 1.5f + cz * 0.4f, cz * 6.0f, 5);
            const float amount =
                smoothstep(0.55f, 0.8f, streak) * smoothstep(3.0f, 20.0f, elevation);
            c = mixColour(c, Colour{236, 226, 210}, 0.55f * amount);
        }

        // Distant flat-topped mesas standing in the haze along the horizon.
        const float ridge = mesas_.fractal(turn * 24.0f, 0.5f, 4);
        const float height =
            3.2f * smoothstep(0.5f, 0.62f, ridge) + 1.1f * smoothstep(0.35f, 0.7f, ridge);
        if (elevation < height) {
            const float depth = clamp01(elevation / std::fmax(height, 0.01f));
            c = mixColour(Colour{128, 96, 70}, Colour{150, 116, 82}, depth);
        }
        // Dust settles the last degree into the fog colour, so the ground's
        // fogged edge and the sky meet in one line.
        return mixColour(kFog, c, smoothstep(0.0f, 1.0f, elevation));
    }

private:
    static Direction sunDirection() {
        const float elevation = 24.0f * kPi / 180.0f, azimuth = 35.0f * kPi / 180.0f;
        return {std::cos(elevation) * std::sin(azimuth), std::sin(elevation),
                std::cos(elevation) * std::cos(azimuth)};
    }
    ValueNoise clouds_{0xC10Du};
    ValueNoise mesas_{0x3E5Au, 24};  // wraps once round the horizon
};

Image skyFace(const SkyPainter& painter, Face face) {
    Image image(kSkySize, kSkySize);
    for (int y = 0; y < kSkySize; ++y)
        for (int x = 0; x < kSkySize; ++x) {
            // Edge texels sit exactly on the cube's edges, so neighbouring
            // faces share their border colours.
            const float s = x / float(kSkySize - 1);
            const float t = 1.0f - y / float(kSkySize - 1);
            image.at(x, y) = toRgb(painter.at(faceDirection(face, s, t)));
        }
    return image;
}

}  // namespace

bool writeWorldPictures(const std::string& outDir) {
    using namespace assetnames;
    bool ok = writeBmp24(outDir + "/" + kDesertPicture, desertTexture());
    const SkyPainter painter;
    const struct {
        const char* name;
        Face face;
    } faces[] = {{kSkyBackPicture, Face::Back},
                 {kSkyFrontPicture, Face::Front},
                 {kSkyTopPicture, Face::Top},
                 {kSkyLeftPicture, Face::Left},
                 {kSkyRightPicture, Face::Right}};
    for (const auto& f : faces)
        ok = writeBmp24(outDir + "/" + f.name, skyFace(painter, f.face)) && ok;
    return ok;
}
