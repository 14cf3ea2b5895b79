// The full-window pictures: intro, menu with its START button, loading
// screen and the closing credits. The first three also come wider, for 16:9
// and 21:9 windows: the same scene centred, with more sky and dunes beside it.
#include <cmath>
#include <string>
#include <vector>

#include "asset_sets.h"
#include "assets/asset_names.h"
#include "assets/screen_fit.h"
#include "paint.h"
#include "text_render.h"

namespace {

constexpr int kWidth = kScreenPictureWidths[0];
constexpr int kHeight = kScreenPictureHeight;
const float kPi = 3.14159265f;

// ---- Titles ------------------------------------------------------------------

// Text as a coverage field, letters set `gap` pixels apart (caps centred on
// one line), with its centre at (cx, cy).
Coverage textCoverage(const std::string& text, const TextStyle& style, int gap, int cx, int cy) {
    std::vector<TextMask> letters;
    int width = 0, height = 0;
    for (char ch : text) {
        TextMask mask;
        renderTextMask(std::string(1, ch), style, mask);
        if (mask.width == 0) {  // a blank: as wide as a third of the size
            mask.width = style.pixelHeight / 3;
            mask.height = 0;
        }
        width += mask.width + (letters.empty() ? 0 : gap);
        height = std::max(height, mask.height);
        letters.push_back(std::move(mask));
    }
    Coverage out;
    out.width = width;
    out.height = height;
    out.x = cx - width / 2;
    out.y = cy - height / 2;
    out.values.assign(static_cast<size_t>(width) * height, 0.0f);
    int pen = 0;
    for (const TextMask& m : letters) {
        const int top = (height - m.height) / 2;
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x)
                out.values[static_cast<size_t>(top + y) * width + pen + x] =
                    m.coverage[static_cast<size_t>(y) * m.width + x] / 255.0f;
        pen += m.width + gap;
    }
    return out;
}

// A title with a soft drop shadow, a dark outline and a vertical colour
// gradient through the letters.
void drawTitle(Image& image, const Coverage& text, Colour topColour, Colour bottomColour,
               Colour outline, int outlineWidth, float shadowAlpha) {
    Coverage shadow = blurred(dilated(text, outlineWidth), outlineWidth * 2 + 2);
    shadow.x += outlineWidth + 4;
    shadow.y += outlineWidth + 6;
    paintCoverage(
        image, shadow,
        [](int, int) {
            return Colour{0, 0, 0};
        },
        shadowAlpha);
    paintCoverage(image, dilated(text, outlineWidth), [&](int, int) { return outline; });
    const float top = text.y, span = std::max(1, text.height);
    paintCoverage(image, text, [&](int, int y) {
        const float t = clamp01((y - top) / span);
        // A bright band just above the middle gives the letters a metal sheen.
        const float sheen = std::exp(-std::pow((t - 0.42f) / 0.08f, 2.0f)) * 0.35f;
        return mixColour(mixColour(topColour, bottomColour, t), Colour{255, 255, 240}, sheen);
    });
}

void drawCentred(Image& image, int cx, int cy, const std::string& text, Font font, int size,
                 Colour colour) {
    drawTextCentred(image, cx, cy, text, TextStyle{font, size, toRgb(colour)});
}

// ---- Desert scenery ----------------------------------------------------------

// The crest line of a range of dunes: long swells with smaller ripples, from
// a few waves of random phase.
class DuneLine {
public:
    DuneLine(PictureRandom& random, float base, float amplitude, float length) : base_(base) {
        for (int i = 0; i < 4; ++i) {
            waves_.push_back(Wave{amplitude / (1.0f + i * 1.3f),
                                  2.0f * kPi / (length / (1.0f + i * 1.7f)),
                                  random.range(0.0f, 2.0f * kPi)});
        }
    }
    float crest(float x) const {
        float y = base_;
        const float along = x - shift_;
        for (const Wave& w : waves_)
            y -= w.amplitude * (0.5f + 0.5f * std::sin(along * w.frequency + w.phase));
        if (moundWidth_ > 0) {
            // A flat-topped mound rising out of the dunes, steep at its ends.
            const float u = (x - moundCentre_) / moundWidth_;
            y = std::min(y, moundTop_ + u * u * u * u * 60.0f);
        }
        return y;
    }
    // Raises a mound with a level top at height `top` from centre - width to
    // centre + width, for something to stand on.
    void addMound(float centre, float width, float top) {
        moundCentre_ = centre;
        moundWidth_ = width;
        moundTop_ = top;
    }
    // Moves the waves `dx` pixels right: a wider picture keeps the 4:3 one's
    // dunes in its middle.
    void shiftBy(float dx) { shift_ = dx; }

private:
    struct Wave {
        float amplitude, frequency, phase;
    };
    float base_;
    float shift_ = 0;
    std::vector<Wave> waves_;
    float moundCentre_ = 0, moundWidth_ = 0, moundTop_ = 0;
};

// Fills everything below a crest line: shaded body, darker toward the bottom,
// with a thin rim of light on the crest.
void drawDunes(Image& image, const DuneLine& dunes, Colour body, Colour deep, Colour rim,
               float rimWidth) {
    for (int x = 0; x < image.width; ++x) {
        const float crest = dunes.crest(x + 0.5f);
        const float slope = dunes.crest(x + 2.5f) - dunes.crest(x - 1.5f);
        const int top = std::max(0, static_cast<int>(std::floor(crest)));
        for (int y = top; y < image.height; ++y) {
            const float coverage = clamp01(y + 1.0f - crest);
            const float depth = clamp01((y - crest) / (image.height - crest + 1.0f));
            Colour c = mixColour(body, deep, std::sqrt(depth));
            // Slopes turned to the low sun on the right catch its light.
            const float facing = clamp01(-slope * 0.6f);
            c = mixColour(c, rim,
                          facing * (1.0f - smoothstep(0.0f, rimWidth * 4, y - crest)) * 0.5f);
            c = mixColour(c, rim, 1.0f - smoothstep(0.0f, rimWidth, y - crest));
            blendPixel(image, x, y, c, coverage);
        }
    }
}

// A tank seen from the side, facing left, as a polygon set in a box 100 wide
// and 40 high (y down, tracks resting on y = 40).
void drawTankSilhouette(Image& image, float x, float y, float scale, Colour colour) {
    auto place = [&](std::vector<Point> shape) {
        for (Point& p : shape) p = Point{x + p.x * scale, y + p.y * scale};
        fillPolygon(image, shape, colour);
    };
    // Tracks with rounded ends, hull with a sloped glacis, turret and gun.
    std::vector<Point> tracks;
    for (int i = 0; i <= 12; ++i) {  // left end, a half circle
        const float a = kPi / 2 + kPi * i / 12.0f;
        tracks.push_back({14 + 7 * std::cos(a), 33 - 7 * std::sin(a)});
    }
    for (int i = 0; i <= 12; ++i) {  // right end
        const float a = -kPi / 2 + kPi * i / 12.0f;
        tracks.push_back({88 + 7 * std::cos(a), 33 - 7 * std::sin(a)});
    }
    place(tracks);
    place({{4, 27}, {12, 19}, {92, 19}, {98, 24}, {96, 28}});
    place({{30, 19}, {36, 9}, {66, 8}, {76, 12}, {78, 19}});
    place({{36, 12.5f}, {-34, 10.5f}, {-34, 13.5f}, {36, 15.5f}});  // gun barrel
    place({{-36, 10}, {-30, 10}, {-30, 14}, {-36, 14}});            // muzzle brake
    place({{62, 8}, {63, 8}, {70, -14}, {69, -14}});                // antenna
    place({{44, 8}, {54, 8}, {53, 4}, {45, 4}});                    // hatch
}

// ---- Pictures ----------------------------------------------------------------

// Scatters `count` early stars high up over x from `left` to `right`.
void drawStars(Image& image, PictureRandom& random, int count, float left, float right) {
    for (int i = 0; i < count; ++i) {
        const float sx = left + random.range(0, right - left);
        const float sy = random.range(0, kHeight * 0.28f);
        const float brightness = random.range(0.2f, 0.8f) * (1.0f - sy / (kHeight * 0.28f));
        softDisc(image, sx, sy, random.range(0.4f, 1.1f), 0.8f, Colour{255, 240, 220}, brightness);
    }
}

// Dusk over the dunes, a tank on a crest against the setting sun.
Image introPicture(int width) {
    const int shift = (width - kWidth) / 2;
    Image image(width, kHeight);
    fillVerticalGradient(image, {{0.0f, Colour{16, 12, 38}},
                                 {0.25f, Colour{52, 28, 72}},
                                 {0.45f, Colour{150, 56, 62}},
                                 {0.57f, Colour{236, 122, 56}},
                                 {0.66f, Colour{255, 196, 112}},
                                 {1.0f, Colour{255, 214, 140}}});
    // A few early stars high up, as many again in each side's width.
    PictureRandom random(0x1A7Du);
    drawStars(image, random, 90, shift, shift + kWidth);
    PictureRandom sideRandom(0x5D1Eu);
    drawStars(image, sideRandom, 90 * shift / kWidth, 0, shift);
    drawStars(image, sideRandom, 90 * shift / kWidth, shift + kWidth, width);
    // The sun sinking behind the far dunes, with a wide glow.
    const float sunX = shift + kWidth * 0.7f, sunY = kHeight * 0.6f;
    softDisc(image, sunX, sunY, 260, 200, Colour{255, 170, 90}, 0.35f);
    softDisc(image, sunX, sunY, 120, 60, Colour{255, 210, 130}, 0.5f);
    softDisc(image, sunX, sunY, 66, 3, Colour{255, 226, 140});
    softDisc(image, sunX, sunY, 54, 12, Colour{255, 246, 200});

    DuneLine far(random, kHeight * 0.66f, 40, 700);
    DuneLine middle(random, kHeight * 0.76f, 70, 900);
    DuneLine near(random, kHeight * 0.93f, 90, 1300);
    for (DuneLine* dunes : {&far, &middle, &near}) dunes->shiftBy(shift);
    drawDunes(image, far, Colour{178, 84, 70}, Colour{150, 70, 66}, Colour{240, 150, 90}, 2);

    // The tank stands on a mound of the middle dunes, black against the sun.
    const float tankScale = 2.4f, tankCentre = sunX - 30;
    const float ground = std::fmin(middle.crest(tankCentre), kHeight * 0.62f);
    middle.addMound(tankCentre, 150, ground);
    drawTankSilhouette(image, tankCentre - 52 * tankScale, ground - 37 * tankScale, tankScale,
                       Colour{26, 12, 18});
    drawDunes(image, middle, Colour{104, 46, 44}, Colour{70, 32, 38}, Colour{246, 150, 80}, 2.5f);
    drawDunes(image, near, Colour{46, 20, 26}, Colour{22, 10, 16}, Colour{200, 110, 70}, 3);

    const Coverage title = textCoverage("BRAKKON", TextStyle{Font::SansBold, 150, {}}, 14,
                                        width / 2, static_cast<int>(kHeight * 0.2f));
    drawTitle(image, title, Colour{255, 236, 170}, Colour{220, 96, 30}, Colour{30, 12, 20}, 5,
              0.6f);
    drawCentred(image, width / 2, static_cast<int>(kHeight * 0.335f), "ARMOUR OF THE DUNES",
                Font::SansBold, 26, Colour{255, 214, 170});
    return image;
}

// Left, top, right and bottom of the START button: the area the game takes
// clicks in (startButtonBox).
struct Area {
    int left, top, right, bottom;  // pixels left..right-1, top..bottom-1
};
Area startArea(int width) {
    const PictureBox box = startButtonBox(width);
    return {static_cast<int>(std::ceil(box.left)), static_cast<int>(std::ceil(box.top)),
            static_cast<int>(std::ceil(box.right)), static_cast<int>(std::ceil(box.bottom))};
}

// A calm, pale desert afternoon. The wreckage pieces falling in front are
// red and textured with this very picture, so it stays light and warm for
// them to show red against; the START button is the one cool colour in it.
Image menuPicture(int width) {
    // A wider picture centres the scene and spreads the button and the
    // control list apart by a tenth of the extra width each.
    const int shift = (width - kWidth) / 2, spread = (width - kWidth) / 10;
    Image image(width, kHeight);
    fillVerticalGradient(image, {{0.0f, Colour{236, 218, 186}},
                                 {0.5f, Colour{246, 206, 158}},
                                 {0.72f, Colour{238, 184, 128}},
                                 {1.0f, Colour{226, 170, 118}}});
    // Faint haze bands keep the large surface from looking flat.
    const ValueNoise haze(0x4A2Eu);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < width; ++x) {
            const float h = haze.fractal((x - shift) / 300.0f, y / 90.0f, 4) - 0.5f;
            image.at(x, y) = toRgb(scaleColour(toColour(image.at(x, y)), 1.0f + 0.06f * h));
        }
    softDisc(image, shift + spread + kWidth * 0.82f, kHeight * 0.3f, 140, 160,
             Colour{255, 244, 220}, 0.45f);
    PictureRandom random(0x3E7Au);
    DuneLine far(random, kHeight * 0.9f, 60, 900);
    DuneLine near(random, kHeight * 1.0f, 70, 1300);
    far.shiftBy(shift);
    near.shiftBy(shift);
    drawDunes(image, far, Colour{230, 170, 112}, Colour{222, 160, 104}, Colour{250, 214, 170},
              1.5f);
    drawDunes(image, near, Colour{214, 150, 96}, Colour{200, 138, 88}, Colour{246, 204, 160}, 1.5f);

    const Coverage title = textCoverage("BRAKKON", TextStyle{Font::SansBold, 120, {}}, 12,
                                        width / 2, static_cast<int>(kHeight * 0.17f));
    drawTitle(image, title, Colour{128, 58, 30}, Colour{70, 30, 18}, Colour{252, 236, 208}, 3,
              0.3f);
    drawCentred(image, width / 2, static_cast<int>(kHeight * 0.285f), "ARMOUR OF THE DUNES",
                Font::SansBold, 24, Colour{132, 76, 44});

    // Controls, quietly to the right of the button.
    const int columnX = static_cast<int>(kWidth * 0.66f) + shift + spread;
    const char* controls[] = {"MOUSE      aim turret and gun",
                              "LEFT BUTTON    fire a shell",
                              "r    guided missile     g    embers",
                              "w s    drive     a d    steer",
                              "space    slow motion     p    status",
                              "m    mute     Tab    pause",
                              "Esc    quit"};
    int lineY = static_cast<int>(kHeight * 0.555f);
    for (const char* line : controls) {
        drawText(image, columnX, lineY, line, TextStyle{Font::Sans, 17, Rgb{112, 66, 40}});
        lineY += 27;
    }

    // The button: a steel-blue plate with a bevel filling the click area exactly.
    const Area a = startArea(width);
    const float radius = 10;
    auto insideButton = [&](float x, float y, float inset) {
        const float cx = (a.left + a.right) * 0.5f, cy = (a.top + a.bottom) * 0.5f;
        const float hx = (a.right - a.left) * 0.5f - inset - radius;
        const float hy = (a.bottom - a.top) * 0.5f - inset - radius;
        const float qx = std::fmax(std::fabs(x - cx) - hx, 0.0f);
        const float qy = std::fmax(std::fabs(y - cy) - hy, 0.0f);
        return qx * qx + qy * qy <= radius * radius;
    };
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) {
            const float outer =
                pixelCoverage(x, y, [&](float px, float py) { return insideButton(px, py, 0); });
            const float inner =
                pixelCoverage(x, y, [&](float px, float py) { return insideButton(px, py, 5); });
            const float t = (y + 0.5f - a.top) / (a.bottom - a.top);
            Colour face = mixColour(Colour{64, 136, 160}, Colour{30, 88, 110}, t);
            // Bevel: lit along the top, shaded along the bottom.
            const Colour bevel = t < 0.5f ? Colour{126, 196, 214} : Colour{16, 54, 70};
            const Colour c = mixColour(bevel, face, inner);
            blendPixel(image, x, y, c, outer);
        }
    const int cx = (a.left + a.right) / 2, cy = (a.top + a.bottom) / 2;
    drawTextCentred(image, cx + 2, cy + 3, "START", TextStyle{Font::SansBold, 50, Rgb{14, 40, 52}});
    drawTextCentred(image, cx, cy, "START", TextStyle{Font::SansBold, 50, Rgb{246, 244, 236}});
    return image;
}

// Shown while the level is built: the dunes at night and the word LOADING.
Image loadingPicture(int width) {
    Image image(width, kHeight);
    fillVerticalGradient(
        image, {{0.0f, Colour{10, 8, 16}}, {0.6f, Colour{40, 24, 28}}, {1.0f, Colour{70, 40, 32}}});
    PictureRandom random(0x10ADu);
    DuneLine far(random, kHeight * 0.78f, 50, 800);
    DuneLine near(random, kHeight * 0.95f, 80, 1200);
    far.shiftBy((width - kWidth) / 2);
    near.shiftBy((width - kWidth) / 2);
    drawDunes(image, far, Colour{64, 36, 34}, Colour{46, 26, 28}, Colour{120, 70, 50}, 1.5f);
    drawDunes(image, near, Colour{30, 18, 20}, Colour{16, 10, 12}, Colour{90, 50, 40}, 2);
    const Coverage word =
        textCoverage("LOADING", TextStyle{Font::SansBold, 96, {}}, 18, width / 2, kHeight / 2 - 40);
    drawTitle(image, word, Colour{255, 230, 170}, Colour{230, 120, 40}, Colour{20, 10, 12}, 4,
              0.6f);
    // A row of dots, like shells laid out, under the word.
    for (int i = 0; i < 7; ++i)
        softDisc(image, width / 2 + (i - 3) * 34.0f, kHeight / 2 + 50.0f, 7, 1.5f,
                 Colour{240, 150, 60}, 0.35f + 0.1f * i);
    drawCentred(image, width / 2, kHeight / 2 + 100, "the desert is being raised", Font::Sans, 22,
                Colour{200, 160, 140});
    return image;
}

// The closing picture: thanks and credits.
Image thankYouPicture() {
    Image image(kWidth, kHeight);
    fillVerticalGradient(image, {{0.0f, Colour{20, 14, 40}},
                                 {0.5f, Colour{120, 60, 70}},
                                 {0.62f, Colour{230, 140, 70}},
                                 {1.0f, Colour{120, 60, 40}}});
    PictureRandom random(0x7A4Bu);
    softDisc(image, kWidth * 0.3f, kHeight * 0.62f, 80, 40, Colour{255, 210, 140}, 0.8f);
    DuneLine far(random, kHeight * 0.7f, 40, 800);
    DuneLine near(random, kHeight * 0.9f, 70, 1200);
    drawDunes(image, far, Colour{150, 70, 60}, Colour{110, 52, 50}, Colour{250, 160, 100}, 2);
    drawDunes(image, near, Colour{52, 24, 28}, Colour{26, 12, 16}, Colour{210, 120, 80}, 3);
    const Coverage word = textCoverage("THANK YOU", TextStyle{Font::SansBold, 110, {}}, 12,
                                       kWidth / 2, static_cast<int>(kHeight * 0.22f));
    drawTitle(image, word, Colour{255, 240, 190}, Colour{230, 130, 50}, Colour{24, 10, 20}, 5,
              0.6f);
    drawCentred(image, kWidth / 2, static_cast<int>(kHeight * 0.36f), "for playing BRAKKON",
                Font::SansBold, 34, Colour{255, 220, 180});
    const char* credits[] = {"Drawn with OpenGL, GLU and freeglut",
                             "Lettering in the DejaVu typefaces"};
    int y = static_cast<int>(kHeight * 0.45f);
    for (const char* line : credits) {
        drawCentred(image, kWidth / 2, y, line, Font::Sans, 22, Colour{250, 214, 190});
        y += 34;
    }
    return image;
}

}  // namespace

bool writeScreenPictures(const std::string& outDir) {
    using namespace assetnames;
    bool ok = true;
    for (int shape = 0; shape < kScreenShapeCount; ++shape) {
        const int width = kScreenPictureWidths[shape];
        ok = writeBmp24(outDir + "/" + kIntroPictures[shape], introPicture(width)) && ok;
        ok = writeBmp24(outDir + "/" + kMenuPictures[shape], menuPicture(width)) && ok;
        ok = writeBmp24(outDir + "/" + kLoadingPictures[shape], loadingPicture(width)) && ok;
    }
    return writeBmp24(outDir + "/" + kClosingPicture, thankYouPicture()) && ok;
}
