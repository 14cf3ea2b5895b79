// HUD pictures, digits, and the plasma and explosion sprites with their masks.
//
// The HUD and the masks are multiplied into the frame (white leaves the scene
// untouched), the colour sprites are added to it (black adds nothing).
#include <cmath>
#include <string>

#include "asset_sets.h"
#include "assets/asset_names.h"
#include "paint.h"
#include "text_render.h"

namespace {

const Colour kWhite{255, 255, 255};
const Colour kBlack{0, 0, 0};
const float kPi = 3.14159265f;

// ---- HUD -------------------------------------------------------------------

// The crosshair's quad hangs below the screen centre, so the aim point is the
// top centre of the picture: a chevron rising to it, wings either side on the
// aim line and a ladder of range marks below.
struct CrosshairStroke {
    Point a, b;
};
const CrosshairStroke kCrosshair[] = {
    {{32, 3}, {19, 18}},  {{32, 3}, {45, 18}},                               // chevron
    {{4, 3}, {19, 3}},    {{45, 3}, {60, 3}},                                // wings
    {{24, 28}, {40, 28}}, {{26.5f, 39}, {37.5f, 39}}, {{29, 50}, {35, 50}},  // range marks
};

// Coverage of the crosshair's strokes drawn `width` wide, edges smoothed over
// one pixel; overlapping strokes take the larger coverage, never a sum.
float crosshairCoverage(float x, float y, float width) {
    float best = 0.0f;
    for (const CrosshairStroke& s : kCrosshair)
        best = std::fmax(best, clamp01(width * 0.5f + 0.5f - segmentDistance(x, y, s.a, s.b)));
    return best;
}

Image crosshair(bool colourPicture) {
    Image image(64, 64);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const float core = crosshairCoverage(x + 0.5f, y + 0.5f, 3.6f);
            if (colourPicture) {
                image.at(x, y) = toRgb(scaleColour(Colour{120, 255, 90}, core));
            } else {
                // A dark rim round the line keeps it visible on pale sky and sand.
                const float rim = crosshairCoverage(x + 0.5f, y + 0.5f, 7.0f);
                Colour c = mixColour(kWhite, Colour{70, 70, 70}, rim);
                image.at(x, y) = toRgb(mixColour(c, Colour{10, 10, 10}, core));
            }
        }
    return image;
}

// A rounded panel of light grey with a white margin: multiplied into the
// frame it dims the scene a little behind the dark glyphs.
void hudPanel(Image& image) {
    const float margin = image.height / 16.0f;
    const float radius = image.height / 6.0f;
    const float w = image.width, h = image.height;
    fillShape(
        image, 0, 0, image.width, image.height,
        [=](float x, float y) {
            const float qx = std::fabs(x - w / 2) - (w / 2 - margin - radius);
            const float qy = std::fabs(y - h / 2) - (h / 2 - margin - radius);
            const float ox = std::fmax(qx, 0.0f), oy = std::fmax(qy, 0.0f);
            return std::sqrt(ox * ox + oy * oy) <= radius;
        },
        Colour{226, 226, 218});
}

Image hudLabel(const std::string& text) {
    Image image(128, 32, toRgb(kWhite));
    hudPanel(image);
    drawTextCentred(image, 64, 16, text, TextStyle{Font::SansBold, 21, Rgb{12, 12, 10}});
    return image;
}

Image hudDigit(int digit) {
    Image image(64, 64, toRgb(kWhite));
    hudPanel(image);
    drawTextCentred(image, 32, 32, std::to_string(digit),
                    TextStyle{Font::MonoBold, 54, Rgb{12, 12, 10}});
    return image;
}

// ---- Plasma ball -----------------------------------------------------------

constexpr int kPlasmaSize = 128;

// Radius 0 at the picture's centre, 1 at the middle of its edges.
float radiusAt(int x, int y, int size) {
    const float half = size * 0.5f;
    return std::hypot((x + 0.5f - half) / half, (y + 0.5f - half) / half);
}

float angleAt(int x, int y, int size) {
    const float half = size * 0.5f;
    return std::atan2(y + 0.5f - half, x + 0.5f - half);
}

// A hot white core inside blue-violet glow, with curling filaments that show
// the ball's spin.
void plasmaPictures(Image& colour, Image& mask) {
    colour = Image(kPlasmaSize, kPlasmaSize, toRgb(kBlack));
    mask = Image(kPlasmaSize, kPlasmaSize, toRgb(kWhite));
    const ValueNoise filaments(0x51A5u, 12);
    for (int y = 0; y < kPlasmaSize; ++y)
        for (int x = 0; x < kPlasmaSize; ++x) {
            const float r = radiusAt(x, y, kPlasmaSize);
            const float turns = (angleAt(x, y, kPlasmaSize) + kPi) / (2 * kPi);
            // Spiral the noise so filaments curl around the core.
            const float swirl = filaments.fractal(turns * 12.0f + r * 7.0f, r * 5.0f, 3);
            const float strands = std::pow(clamp01(1.0f - std::fabs(swirl - 0.5f) * 6.0f), 2.0f);
            const float glow = std::pow(clamp01(1.0f - r), 2.2f);
            const float shell = clamp01(1.0f - r / 0.82f);
            const float core = 1.0f - smoothstep(0.12f, 0.34f, r);
            Colour c = scaleColour(Colour{70, 120, 255}, glow * 1.1f);
            c = addColour(c, scaleColour(Colour{150, 200, 255}, strands * shell * 0.9f));
            c = mixColour(c, Colour{255, 255, 255}, core);
            colour.at(x, y) = toRgb(c);
            const float dark = 1.0f - smoothstep(0.35f, 0.8f, r);
            mask.at(x, y) = toRgb(scaleColour(kWhite, 1.0f - 0.85f * dark));
        }
}

// ---- Explosion frames --------------------------------------------------------

constexpr int kBoomSize = 128;

// Fire colour by temperature: dark red embers through orange and yellow to a
// white-hot centre. Every step keeps plenty of green, because the pictures
// are tinted green or orange when drawn.
Colour fireColour(float heat) {
    static const std::vector<GradientStop> ramp = {
        {0.0f, Colour{0, 0, 0}},      {0.2f, Colour{110, 40, 8}},     {0.45f, Colour{235, 120, 25}},
        {0.7f, Colour{255, 205, 80}}, {0.88f, Colour{255, 245, 190}}, {1.0f, Colour{255, 255, 255}},
    };
    return gradientAt(ramp, clamp01(heat));
}

// Frame 1..8: a white flash grows into a ragged fireball that cools and
// leaves a spreading, fading cloud of smoke.
void explosionPictures(int frame, Image& colour, Image& mask) {
    colour = Image(kBoomSize, kBoomSize, toRgb(kBlack));
    mask = Image(kBoomSize, kBoomSize, toRgb(kWhite));
    const float p = (frame - 1) / 7.0f;  // 0 at the flash, 1 at the last wisp
    const float fireRadius = 0.28f + 0.4f * std::sqrt(p);
    const float smokeRadius = 0.36f + 0.5f * p;
    const float fireStrength = 1.0f - smoothstep(0.25f, 1.0f, p);
    const float heatScale = 1.0f - 0.55f * p;
    const float flash = clamp01(1.0f - p * 3.0f);
    const float smokeStrength =
        smoothstep(0.0f, 0.45f, p) * (1.0f - 0.6f * smoothstep(0.6f, 1.0f, p));
    const ValueNoise lobes(0xB00Bu);
    const ValueNoise billows(0xB111u);
    const ValueNoise grain(0x5A0Cu);
    const float drift = frame * 0.3f;  // the puffs roll on a little from frame to frame
    for (int y = 0; y < kBoomSize; ++y)
        for (int x = 0; x < kBoomSize; ++x) {
            const float r = radiusAt(x, y, kBoomSize);
            const float a = angleAt(x, y, kBoomSize);
            const float u = x / float(kBoomSize), v = y / float(kBoomSize);
            // Lobed outline: noise sampled round a circle, so it closes up.
            const float edge =
                lobes.fractal(std::cos(a) * 2.4f + drift, std::sin(a) * 2.4f, 2, 0.35f);
            const float puff = billows.fractal(u * 6.0f + drift, v * 6.0f - drift, 4);
            const float fine = grain.fractal(u * 16.0f - drift, v * 16.0f, 3);
            const float rf = r / (fireRadius * (0.65f + 0.7f * edge));
            const float rs = r / (smokeRadius * (0.6f + 0.7f * edge) * (0.85f + 0.3f * puff));
            const float fire = (1.0f - smoothstep(0.5f, 1.0f, rf)) * fireStrength;
            const float smoke =
                (1.0f - smoothstep(0.4f, 1.0f, rs)) * smokeStrength * (0.45f + 0.55f * puff);
            // Nothing may reach the corners or the edges of the sprite.
            const float fade = 1.0f - smoothstep(0.85f, 0.98f, r);
            // Hotter towards the middle, mottled by billowing flame.
            const float texture = 0.45f + 0.4f * puff + 0.3f * fine;
            const float heat = clamp01(fire * heatScale * texture * (1.25f - 0.5f * clamp01(rf)) +
                                       flash * (1.0f - r / 0.45f));
            Colour c = scaleColour(fireColour(heat), clamp01(fire * 1.8f + flash));
            c = addColour(c, scaleColour(Colour{52, 46, 38}, smoke * (1.0f - fire)));
            colour.at(x, y) = toRgb(scaleColour(c, fade));
            const float cover = clamp01(fire * 0.95f + flash * (1.0f - r / 0.4f) + smoke * 0.8f);
            mask.at(x, y) = toRgb(scaleColour(kWhite, 1.0f - cover * fade));
        }
}

bool write(const std::string& outDir, const char* name, const Image& image) {
    return writeBmp24(outDir + "/" + name, image);
}

}  // namespace

bool writeGamePictures(const std::string& outDir) {
    using namespace assetnames;
    bool ok = true;
    ok = write(outDir, kCrosshairMaskPicture, crosshair(false)) && ok;
    ok = write(outDir, kCrosshairPicture, crosshair(true)) && ok;
    ok = write(outDir, kHurtLabelPicture, hudLabel("DAMAGE")) && ok;
    ok = write(outDir, kKilledLabelPicture, hudLabel("KILLS")) && ok;
    ok = write(outDir, kHitLabelPicture, hudLabel("HITS")) && ok;
    ok = write(outDir, kFiredLabelPicture, hudLabel("FIRED")) && ok;
    for (int d = 0; d < kDigitPictureCount; ++d)
        ok = write(outDir, digitPicture(d).c_str(), hudDigit(d)) && ok;

    Image colour, mask;
    plasmaPictures(colour, mask);
    ok = write(outDir, kPlasmaPicture, colour) && ok;
    ok = write(outDir, kPlasmaMaskPicture, mask) && ok;
    for (int frame = 1; frame <= kBurstFrameCount; ++frame) {
        explosionPictures(frame, colour, mask);
        ok = write(outDir, burstPicture(frame).c_str(), colour) && ok;
        ok = write(outDir, burstMaskPicture(frame).c_str(), mask) && ok;
    }
    return ok;
}
