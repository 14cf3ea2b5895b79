// The generated pictures: sizes, how masks and colour sprites meet the
// blending they are drawn with, seamless sky and ground, the menu's start
// button, and byte-identical output on every run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "asset_sets.h"
#include "assets/bmp_reader.h"

namespace {

std::string makeTempFolder() {
    char pattern[] = "/tmp/brakkon-pictures-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "";
}

bool writeAllPictures(const std::string& folder) {
    bool ok = writeScreenPictures(folder);
    ok = writeGamePictures(folder) && ok;
    return writeWorldPictures(folder) && ok;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture read back through the game's own decoder, addressed top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // bottom row first, as decoded
    bool valid() const { return width > 0 && height > 0; }
    const std::uint8_t* px(int x, int y) const {
        return &rgb[(static_cast<size_t>(height - 1 - y) * width + x) * 3];
    }
    int red(int x, int y) const { return px(x, y)[0]; }
    int green(int x, int y) const { return px(x, y)[1]; }
    int blue(int x, int y) const { return px(x, y)[2]; }
    int grey(int x, int y) const { return (red(x, y) + green(x, y) + blue(x, y)) / 3; }
};

class Pictures : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new std::string(makeTempFolder());
        generated_ = writeAllPictures(*folder_);
    }
    static void TearDownTestSuite() {
        std::system(("rm -rf '" + *folder_ + "'").c_str());
        delete folder_;
        folder_ = nullptr;
    }
    static Picture load(const std::string& name) {
        const std::vector<std::uint8_t> bytes = fileBytes(*folder_ + "/" + name);
        Picture picture;
        auto image = decodeBmpImage(bytes.data(), bytes.size(), name.c_str());
        if (!image) return picture;
        picture.width = image->width;
        picture.height = image->height;
        picture.rgb = image->pixels;
        return picture;
    }
    static std::string* folder_;
    static bool generated_;
};
std::string* Pictures::folder_ = nullptr;
bool Pictures::generated_ = false;

void expectCornersGrey(const Picture& p, int low, int high, const std::string& name) {
    for (int y : {0, p.height - 1})
        for (int x : {0, p.width - 1}) {
            EXPECT_GE(p.grey(x, y), low) << name << " corner " << x << "," << y;
            EXPECT_LE(p.grey(x, y), high) << name << " corner " << x << "," << y;
        }
}

// Count of pixels darker than a threshold: how much a mask darkens.
int darkPixels(const Picture& p, int below) {
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.grey(x, y) < below) ++n;
    return n;
}

TEST_F(Pictures, EveryFileDecodesWithItsSize) {
    ASSERT_TRUE(generated_);
    std::map<std::string, std::pair<int, int>> sizes = {
        {"Intro.bmp", {1024, 768}},   {"Menu.bmp", {1024, 768}},
        {"mask.bmp", {1024, 768}},    {"THANKYOU.bmp", {1024, 768}},
        {"HUD_GAN.bmp", {64, 64}},    {"HUD_GANR.bmp", {64, 64}},
        {"HUD_D.bmp", {128, 32}},     {"HUD_K.bmp", {128, 32}},
        {"HUD_BH.bmp", {128, 32}},    {"HUD_BF.bmp", {128, 32}},
        {"f_plasma.bmp", {128, 128}}, {"f_plasma_mask.bmp", {128, 128}},
        {"desert.bmp", {256, 256}},   {"back.bmp", {512, 512}},
        {"front.bmp", {512, 512}},    {"top.bmp", {512, 512}},
        {"left.bmp", {512, 512}},     {"right.bmp", {512, 512}},
    };
    for (const char* shape : {"_16x9.bmp", "_21x9.bmp"})
        for (const char* screen : {"Intro", "Menu", "mask"})
            sizes[screen + std::string(shape)] = {shape[2] == '6' ? 1366 : 1820, 768};
    for (int d = 0; d <= 9; ++d) sizes[std::to_string(d) + "m.bmp"] = {64, 64};
    for (int f = 1; f <= 8; ++f) {
        sizes["rlboom_" + std::to_string(f) + ".bmp"] = {128, 128};
        sizes["rlboom_" + std::to_string(f) + "_mask.bmp"] = {128, 128};
    }
    for (const auto& [name, size] : sizes) {
        const Picture p = load(name);
        ASSERT_TRUE(p.valid()) << name;
        EXPECT_EQ(p.width, size.first) << name;
        EXPECT_EQ(p.height, size.second) << name;
    }
}

TEST_F(Pictures, MasksLeaveTheirEdgesAloneAndColourSpritesAddNothingThere) {
    std::vector<std::string> masks = {"f_plasma_mask.bmp", "HUD_GAN.bmp"};
    std::vector<std::string> colours = {"f_plasma.bmp", "HUD_GANR.bmp"};
    for (int f = 1; f <= 8; ++f) {
        masks.push_back("rlboom_" + std::to_string(f) + "_mask.bmp");
        colours.push_back("rlboom_" + std::to_string(f) + ".bmp");
    }
    for (const std::string& name : masks) {
        const Picture p = load(name);
        ASSERT_TRUE(p.valid()) << name;
        expectCornersGrey(p, 255, 255, name);
        EXPECT_GT(darkPixels(p, 230), 0) << name << " darkens nothing";
    }
    for (const std::string& name : colours) {
        const Picture p = load(name);
        ASSERT_TRUE(p.valid()) << name;
        expectCornersGrey(p, 0, 0, name);
    }
}

TEST_F(Pictures, BurstsCarryRedAndGreenForTheirTintsAndGrowIntoSmoke) {
    int previousSpread = 0;
    for (int f = 1; f <= 8; ++f) {
        const Picture colour = load("rlboom_" + std::to_string(f) + ".bmp");
        const Picture mask = load("rlboom_" + std::to_string(f) + "_mask.bmp");
        ASSERT_TRUE(colour.valid() && mask.valid());
        long red = 0, green = 0;
        int brightestGreen = 0;
        for (int y = 0; y < colour.height; ++y)
            for (int x = 0; x < colour.width; ++x) {
                red += colour.red(x, y);
                green += colour.green(x, y);
                brightestGreen = std::max(brightestGreen, colour.green(x, y));
            }
        // A green tint keeps only the green channel: fire must not be pure red.
        EXPECT_GT(green * 10, red * 4) << "frame " << f;
        if (f <= 3) {
            EXPECT_GT(brightestGreen, 200) << "frame " << f;
        }
        // The burst's shadow spreads frame by frame.
        int spread = 0;
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                if (mask.grey(x, y) < 250) ++spread;
        EXPECT_GT(spread, previousSpread) << "frame " << f;
        previousSpread = spread;
    }
    // The flash is white-hot at its centre; the last frame has cooled off.
    EXPECT_GT(load("rlboom_1.bmp").grey(64, 64), 240);
    EXPECT_LT(load("rlboom_8.bmp").grey(64, 64), 60);
}

TEST_F(Pictures, CrosshairAimsFromTheTopCentre) {
    const Picture mask = load("HUD_GAN.bmp");
    const Picture colour = load("HUD_GANR.bmp");
    ASSERT_TRUE(mask.valid() && colour.valid());
    // The quad's top edge lies on the screen's middle line: the mark's tip
    // must be drawn right there, and symmetric about the vertical centre line.
    EXPECT_LT(mask.grey(31, 3), 40);
    EXPECT_LT(mask.grey(32, 3), 40);
    EXPECT_GT(colour.green(32, 3), 150);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_NEAR(mask.grey(x, y), mask.grey(63 - x, y), 2) << x << "," << y;
}

TEST_F(Pictures, HudLabelsAndDigitsAreDarkInkOnLightGround) {
    std::vector<std::string> names = {"HUD_D.bmp", "HUD_K.bmp", "HUD_BH.bmp", "HUD_BF.bmp"};
    for (int d = 0; d <= 9; ++d) names.push_back(std::to_string(d) + "m.bmp");
    std::vector<std::vector<std::uint8_t>> seen;
    for (const std::string& name : names) {
        const Picture p = load(name);
        ASSERT_TRUE(p.valid()) << name;
        expectCornersGrey(p, 250, 255, name);  // multiplied in: white changes nothing
        const int ink = darkPixels(p, 80);
        EXPECT_GT(ink, p.width * p.height / 40) << name;
        EXPECT_LT(ink, p.width * p.height / 2) << name;
        for (const auto& other : seen) EXPECT_NE(other, p.rgb) << name << " repeats a picture";
        seen.push_back(p.rgb);
    }
}

TEST_F(Pictures, GroundTextureRepeatsWithoutSeams) {
    const Picture p = load("desert.bmp");
    ASSERT_TRUE(p.valid());
    // Opposite edges continue each other about as smoothly as neighbouring
    // columns inside do, and the sand stays light under the brown modulation.
    auto rowStep = [&](int y0, int y1) {
        long sum = 0;
        for (int x = 0; x < p.width; ++x) sum += std::abs(p.grey(x, y0) - p.grey(x, y1));
        return sum / double(p.width);
    };
    auto columnStep = [&](int x0, int x1) {
        long sum = 0;
        for (int y = 0; y < p.height; ++y) sum += std::abs(p.grey(x0, y) - p.grey(x1, y));
        return sum / double(p.height);
    };
    const double inside = (rowStep(100, 101) + columnStep(100, 101)) / 2;
    EXPECT_LT(rowStep(p.height - 1, 0), inside * 1.6 + 1);
    EXPECT_LT(columnStep(p.width - 1, 0), inside * 1.6 + 1);
    long total = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) total += p.grey(x, y);
    EXPECT_GT(total / (p.width * p.height), 190);
}

TEST_F(Pictures, SkyFacesJoinAtEveryEdgeWithOneHorizon) {
    const Picture back = load("back.bmp"), front = load("front.bmp"), top = load("top.bmp"),
                  left = load("left.bmp"), right = load("right.bmp");
    ASSERT_TRUE(back.valid() && front.valid() && top.valid() && left.valid() && right.valid());
    const int n = back.width, last = n - 1;
    auto same = [](const Picture& a, int ax, int ay, const Picture& b, int bx, int by) {
        return std::abs(a.red(ax, ay) - b.red(bx, by)) <= 2 &&
               std::abs(a.green(ax, ay) - b.green(bx, by)) <= 2 &&
               std::abs(a.blue(ax, ay) - b.blue(bx, by)) <= 2;
    };
    // Round the ring back, right, front, left: each face's right edge is the
    // next one's left edge.
    const Picture* ring[] = {&back, &right, &front, &left};
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < n; ++y)
            ASSERT_TRUE(same(*ring[i], last, y, *ring[(i + 1) % 4], 0, y)) << i << " row " << y;
    // The top face's rows and columns meet the top rows of the sides.
    for (int k = 0; k < n; ++k) {
        ASSERT_TRUE(same(top, last - k, 0, back, k, 0)) << k;     // back wall
        ASSERT_TRUE(same(top, k, last, front, k, 0)) << k;        // front wall
        ASSERT_TRUE(same(top, last, k, left, last - k, 0)) << k;  // left wall
        ASSERT_TRUE(same(top, 0, k, right, k, 0)) << k;           // right wall
    }
    // Below the horizon every side shows the fog colour, so the sky meets the
    // fogged ground; above it the sky is brighter and bluer.
    for (const Picture* side : ring) {
        for (int x = 0; x < n; x += 37) {
            EXPECT_NEAR(side->red(x, n * 3 / 4), 140, 2);
            EXPECT_NEAR(side->green(x, n * 3 / 4), 107, 2);
            EXPECT_NEAR(side->blue(x, n * 3 / 4), 61, 2);
            EXPECT_GT(side->blue(x, n / 8), side->blue(x, n * 3 / 4) + 40);
        }
    }
}

TEST_F(Pictures, StartButtonFillsTheClickAreaAndNothingElse) {
    const Picture menu = load("Menu.bmp");
    ASSERT_TRUE(menu.valid());
    // The game takes a click as START when W/10 < x < 0.6 W and
    // 0.7 H < y < 0.8 H; the picture is stretched over the whole window.
    auto inArea = [&](int x, int y) {
        return x > menu.width / 10 && x < menu.width * 0.6f && y > menu.height * 0.7f &&
               y < menu.height * 0.8f;
    };
    // The button is the picture's one cool colour; the rest is warm sand.
    auto buttonBlue = [&](int x, int y) {
        const int r = menu.red(x, y), g = menu.green(x, y), b = menu.blue(x, y);
        return b > r + 40 && g > r + 20;
    };
    int inside = 0, area = 0;
    for (int y = 0; y < menu.height; ++y)
        for (int x = 0; x < menu.width; ++x) {
            if (inArea(x, y)) {
                ++area;
                if (buttonBlue(x, y)) ++inside;
            } else {
                ASSERT_FALSE(buttonBlue(x, y))
                    << "button colour outside the start area at " << x << "," << y;
            }
        }
    EXPECT_GT(inside, area * 7 / 10);  // the rest is the START lettering
    // The corners of the area are part of the button, not the background.
    EXPECT_TRUE(buttonBlue(menu.width / 10 + 12, menu.height * 7 / 10 + 3));
    EXPECT_TRUE(buttonBlue(menu.width * 6 / 10 - 12, menu.height * 8 / 10 - 4));
}

TEST_F(Pictures, MenuIsLightAndWarmForTheRedWreckageTexturedWithIt) {
    // The falling pieces are drawn red, modulated by this picture: where its
    // red channel is dark they would turn black.
    for (const char* name : {"Menu.bmp", "Menu_16x9.bmp", "Menu_21x9.bmp"}) {
        const Picture menu = load(name);
        ASSERT_TRUE(menu.valid());
        long red = 0, blue = 0;
        for (int y = 0; y < menu.height; ++y)
            for (int x = 0; x < menu.width; ++x) {
                red += menu.red(x, y);
                blue += menu.blue(x, y);
            }
        const long pixels = long(menu.width) * menu.height;
        EXPECT_GT(red / pixels, 180) << name;
        EXPECT_GT(red, blue) << name;
    }
}

TEST_F(Pictures, ScreensShowTheirWords) {
    // Each screen is a full picture with lettering on it, not a flat fill.
    for (const char* name : {"Intro.bmp", "Menu.bmp", "mask.bmp", "THANKYOU.bmp", "Intro_21x9.bmp",
                             "Menu_21x9.bmp", "mask_16x9.bmp"}) {
        const Picture p = load(name);
        ASSERT_TRUE(p.valid()) << name;
        int bright = 0, dark = 0;
        for (int y = 0; y < p.height; y += 2)
            for (int x = 0; x < p.width; x += 2) {
                if (p.grey(x, y) > 180) ++bright;
                if (p.grey(x, y) < 50) ++dark;
            }
        EXPECT_GT(bright, 500) << name;
        EXPECT_GT(dark, 500) << name;
    }
}

TEST(PictureOutput, IsByteIdenticalOnEveryRun) {
    const std::string first = makeTempFolder(), second = makeTempFolder();
    ASSERT_TRUE(writeAllPictures(first));
    ASSERT_TRUE(writeAllPictures(second));
    for (const char* name : {"Intro.bmp", "Menu.bmp", "mask.bmp", "THANKYOU.bmp", "HUD_GAN.bmp",
                             "HUD_D.bmp", "7m.bmp", "f_plasma.bmp", "rlboom_5.bmp",
                             "rlboom_5_mask.bmp", "desert.bmp", "top.bmp", "left.bmp"}) {
        const auto a = fileBytes(first + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, fileBytes(second + "/" + name)) << name;
    }
    std::system(("rm -rf '" + first + "' '" + second + "'").c_str());
}

TEST(PictureOutput, AnUnwritableFolderIsReportedNotFatal) {
    EXPECT_FALSE(writeGamePictures("/proc/brakkon-no-such-folder"));
    EXPECT_FALSE(writeWorldPictures("/proc/brakkon-no-such-folder"));
}

}  // namespace
