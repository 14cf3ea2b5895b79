#include "assets/bmp_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/asset_bytes.h"
#include "support/message_capture.h"

namespace {

std::unique_ptr<RgbImage> decode(const Bytes& b) {
    return decodeBmpImage(b.data(), b.size(), "test.bmp");
}

// Red, green, blue of pixel (x, row from the bottom).
std::vector<int> pixelAt(const RgbImage& image, int x, int row) {
    const std::size_t i = std::size_t((row * image.width + x) * 3);
    return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
}

// Blue, green, red, 0 palette entries.
Bytes palette(std::initializer_list<std::vector<int>> rgb) {
    Bytes p;
    for (const auto& c : rgb) {
        p.push_back(std::uint8_t(c[2]));
        p.push_back(std::uint8_t(c[1]));
        p.push_back(std::uint8_t(c[0]));
        p.push_back(0);
    }
    return p;
}

void expectFailure(const Bytes& file, const char* text) {
    MessageCapture capture;
    EXPECT_EQ(decode(file), nullptr);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0].title, "Error");
    EXPECT_EQ(capture.messages()[0].text, text);
}

}  // namespace

TEST(BmpReader, TwentyFourBitRowsDropTheirPaddingAndSwapToRgb) {
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    // Bottom row: red, green, blue; top row: white, black, grey; 3 bytes padding each.
    s.pixelData = {0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0,
                   255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0};
    auto image = decode(makeBmp(s));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    ASSERT_EQ(image->pixels.size(), 18u);  // rows of exactly 9 bytes
    EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixelAt(*image, 2, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(pixelAt(*image, 0, 1), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(pixelAt(*image, 2, 1), (std::vector<int>{128, 128, 128}));
}

TEST(BmpReader, TopDownPicturesComeOutBottomRowFirst) {
    BmpSpec s;
    s.width = 1;
    s.height = -2;
    s.pixelData = {0, 0, 255, 0, 255, 0, 0, 0};  // stored top (red) first, then blue
    auto image = decode(makeBmp(s));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(pixelAt(*image, 0, 1), (std::vector<int>{255, 0, 0}));
}

TEST(BmpReader, PaletteDepthsLookUpTheirColourTable) {
    const Bytes table = palette({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}});
    {
        BmpSpec s;
        s.width = 2;
        s.height = 1;
        s.bitsPerPixel = 8;
        s.coloursUsed = 4;
        s.palette = table;
        s.pixelData = {3, 1, 0, 0};
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{9, 8, 7}));
        EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{0, 255, 0}));
    }
    {
        BmpSpec s;
        s.width = 3;
        s.height = 1;
        s.bitsPerPixel = 4;
        s.coloursUsed = 4;
        s.palette = table;
        s.pixelData = {0x21, 0x30, 0, 0};  // high nibble first
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{0, 0, 255}));
        EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{0, 255, 0}));
        EXPECT_EQ(pixelAt(*image, 2, 0), (std::vector<int>{9, 8, 7}));
    }
    {
        BmpSpec s;
        s.width = 9;
        s.height = 1;
        s.bitsPerPixel = 1;
        s.palette = palette({{0, 0, 0}, {255, 255, 255}});
        s.pixelData = {0x81, 0x80, 0, 0};  // most significant bit first
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0)[0], 255);
        EXPECT_EQ(pixelAt(*image, 1, 0)[0], 0);
        EXPECT_EQ(pixelAt(*image, 7, 0)[0], 255);
        EXPECT_EQ(pixelAt(*image, 8, 0)[0], 255);
    }
}

TEST(BmpReader, IndicesPastAShortColourTableAreBlack) {
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    s.bitsPerPixel = 8;
    s.coloursUsed = 1;
    s.palette = palette({{10, 20, 30}});
    s.pixelData = {200, 0, 0, 0};
    auto image = decode(makeBmp(s));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{0, 0, 0}));
}

TEST(BmpReader, SixteenAndThirtyTwoBitPixels) {
    {
        BmpSpec s;  // 5-5-5, widened by repeating the top bits
        s.width = 2;
        s.height = 1;
        s.bitsPerPixel = 16;
        s.pixelData = {0x00, 0x7C, 0x10, 0x42};  // full red; 16,16,16
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{255, 0, 0}));
        EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{132, 132, 132}));
    }
    {
        BmpSpec s;  // explicit 5-6-5 masks are honoured
        s.width = 2;
        s.height = 1;
        s.bitsPerPixel = 16;
        s.compression = 3;
        putU32(s.masks, 0xF800);
        putU32(s.masks, 0x07E0);
        putU32(s.masks, 0x001F);
        s.pixelData = {0xE0, 0x07, 0x1F, 0xF8};  // full green; magenta
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{0, 255, 0}));
        EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{255, 0, 255}));
    }
    {
        BmpSpec s;
        s.width = 1;
        s.height = 1;
        s.bitsPerPixel = 32;
        s.pixelData = {1, 2, 3, 99};
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{3, 2, 1}));
    }
}

TEST(BmpReader, RunLengthPictures) {
    const Bytes table = palette({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}});
    {
        BmpSpec s;
        s.width = 4;
        s.height = 2;
        s.bitsPerPixel = 8;
        s.compression = 1;
        s.coloursUsed = 4;
        s.palette = table;
        // Row 0: run of four 1s. Row 1: absolute 0,1,2 (padded), run of one 3. End.
        s.pixelData = {4, 1, 0, 0, 0, 3, 0, 1, 2, 0, 1, 3, 0, 1};
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 3, 0), (std::vector<int>{0, 255, 0}));
        EXPECT_EQ(pixelAt(*image, 0, 1), (std::vector<int>{255, 0, 0}));
        EXPECT_EQ(pixelAt(*image, 2, 1), (std::vector<int>{0, 0, 255}));
        EXPECT_EQ(pixelAt(*image, 3, 1), (std::vector<int>{9, 8, 7}));
    }
    {
        BmpSpec s;
        s.width = 4;
        s.height = 2;
        s.bitsPerPixel = 4;
        s.compression = 2;
        s.coloursUsed = 4;
        s.palette = table;
        // Row 0: run 1,2,1,2. Row 1 after a delta of (1, 0): absolute 3,0,2 (padded).
        s.pixelData = {4, 0x12, 0, 0, 0, 2, 1, 0, 0, 3, 0x30, 0x20, 0, 1};
        auto image = decode(makeBmp(s));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{0, 255, 0}));
        EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{0, 0, 255}));
        EXPECT_EQ(pixelAt(*image, 0, 1), (std::vector<int>{0, 0, 0}));  // skipped by the delta
        EXPECT_EQ(pixelAt(*image, 1, 1), (std::vector<int>{9, 8, 7}));
        EXPECT_EQ(pixelAt(*image, 3, 1), (std::vector<int>{0, 0, 255}));
    }
}

TEST(BmpReader, EightBitRunsPastTheRowEndAreClippedThere) {
    // As ImageMagick writes a 70-pixel row: 72 pixels, the last two padding.
    BmpSpec s;
    s.width = 70;
    s.height = 3;
    s.bitsPerPixel = 8;
    s.compression = 1;
    s.coloursUsed = 4;
    s.palette = palette({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}});
    // Row 0: 68 of colour 1, then an absolute run 2,3,2,3. Row 1: 72 of
    // colour 2. Row 2: 70 of colour 3, then a run of 2 more.
    s.pixelData = {68, 1, 0, 4, 2, 3, 2, 3, 0, 0, 72, 2, 0, 0, 70, 3, 2, 1, 0, 1};
    auto image = decode(makeBmp(s));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelAt(*image, 67, 0), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(pixelAt(*image, 68, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(pixelAt(*image, 69, 0), (std::vector<int>{9, 8, 7}));
    for (int x : {0, 69}) {
        EXPECT_EQ(pixelAt(*image, x, 1), (std::vector<int>{0, 0, 255})) << x;
        EXPECT_EQ(pixelAt(*image, x, 2), (std::vector<int>{9, 8, 7})) << x;
    }
    // Past the last row nothing is clipped: the picture is refused.
    s.pixelData = {70, 1, 0, 0, 70, 1, 0, 0, 70, 1, 0, 0, 2, 1, 0, 1};
    expectFailure(makeBmp(s), "Image file conversion error.");
}

TEST(BmpReader, CoreHeaderPicturesUseThreeByteColourEntries) {
    Bytes file = {'B', 'M'};
    putU32(file, 0);
    putU32(file, 0);
    putU32(file, 14 + 12 + 6);  // two 3-byte entries: only those the file holds are read
    putU32(file, 12);
    putU16(file, 2);
    putU16(file, 1);
    putU16(file, 1);
    putU16(file, 1);
    append(file, {0, 0, 255, 255, 0, 0});
    append(file, {0x40, 0, 0, 0});
    // A 1-bit core picture has a two-entry table.
    auto image = decode(file);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(pixelAt(*image, 1, 0), (std::vector<int>{0, 0, 255}));
}

TEST(BmpReader, BrokenHeadersAreReportedNotRead) {
    BmpSpec good;
    good.width = 2;
    good.height = 2;
    good.pixelData.assign(16, 0);
    {
        Bytes f = makeBmp(good);
        f[0] = 'X';
        expectFailure(f, "Unknown DIB file format.");
    }
    {
        Bytes f = makeBmp(good);
        f[14] = 108;  // a newer, larger info header
        expectFailure(f, "Unknown DIB file format.");
    }
    expectFailure(Bytes{'B', 'M', 0, 0}, "Unknown DIB file format.");
    {
        Bytes f = makeBmp(good);
        f.resize(30);  // the info header itself is cut short
        expectFailure(f, "Image file conversion error.");
    }
    for (std::uint16_t bits : {0, 2, 7, 64}) {
        BmpSpec s = good;
        s.bitsPerPixel = bits;
        expectFailure(makeBmp(s), "Image file conversion error.");
    }
    for (std::uint32_t compression : {1u, 4u, 5u, 99u}) {  // RLE8 needs 8 bits; others unknown
        BmpSpec s = good;
        s.compression = compression;
        expectFailure(makeBmp(s), "Image file conversion error.");
    }
}

TEST(BmpReader, AbsurdSizesAreRefused) {
    for (auto size : {std::pair<int, int>{0, 4}, {4, 0}, {-3, 4}, {INT32_MIN, 1}}) {
        BmpSpec s;
        s.width = size.first;
        s.height = size.second;
        s.pixelData.assign(64, 0);
        expectFailure(makeBmp(s), "Image file conversion error.");
    }
    for (auto size : {std::pair<int, int>{16385, 1}, {1, -16385}, {16384, 16384}}) {
        BmpSpec s;
        s.width = size.first;
        s.height = size.second;
        expectFailure(makeBmp(s), "Out of memory.");
    }
}

TEST(BmpReader, ShortFilesAreConversionErrors) {
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    s.pixelData.assign(24, 7);
    Bytes full = makeBmp(s);
    ASSERT_NE(decode(full), nullptr);
    full.pop_back();  // pixel data one byte short
    expectFailure(full, "Image file conversion error.");

    BmpSpec p;
    p.width = 1;
    p.height = 1;
    p.bitsPerPixel = 8;
    p.coloursUsed = 200;  // the table runs past the end of the file
    p.palette = palette({{1, 2, 3}});
    p.pixelData = {0, 0, 0, 0};
    expectFailure(makeBmp(p), "Image file conversion error.");

    Bytes offsetPastEnd = makeBmp(s);
    offsetPastEnd[10] = 0xFF;
    offsetPastEnd[11] = 0xFF;
    expectFailure(offsetPastEnd, "Image file conversion error.");
}

TEST(BmpReader, RunLengthCodesThatLeaveThePictureAreConversionErrors) {
    BmpSpec s;
    s.width = 4;
    s.height = 2;
    s.bitsPerPixel = 8;
    s.compression = 1;
    s.palette = palette({{1, 2, 3}});
    s.coloursUsed = 1;
    const std::vector<Bytes> broken = {
        {0, 2, 0, 9, 0, 1},        // a delta below the picture
        {0, 2, 5, 0, 0, 1},        // a delta past the row's end
        {0, 0, 0, 0, 1, 0, 0, 1},  // a run on a row past the top
        {4, 0, 0},                 // data ends before the end-of-picture code
        {0, 3, 0},                 // absolute run cut off
    };
    for (const Bytes& data : broken) {
        s.pixelData = data;
        expectFailure(makeBmp(s), "Image file conversion error.");
    }
    // 4-bit runs longer than the row.
    s.bitsPerPixel = 4;
    s.compression = 2;
    for (const Bytes& data : {Bytes{5, 0, 0, 1}, Bytes{0, 5, 0, 0, 0, 0, 0, 1}}) {
        s.pixelData = data;
        expectFailure(makeBmp(s), "Image file conversion error.");
    }
}

TEST(BmpReader, MissingFileNamesTheFile) {
    MessageCapture capture;
    EXPECT_EQ(loadBmpImage("no/such/picture.bmp"), nullptr);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0].title, "Error");
    EXPECT_EQ(capture.messages()[0].text, "Failed to open DIB file no/such/picture.bmp.\n");
}

TEST(BmpReader, FileWrapperReadsTheSameBytes) {
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    s.pixelData = {10, 20, 30, 0};
    const std::string path = writeTestFile("bmp_reader_wrapper.bmp", makeBmp(s));
    auto image = loadBmpImage(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(pixelAt(*image, 0, 0), (std::vector<int>{30, 20, 10}));
    std::remove(path.c_str());
}

TEST(BmpReader, EveryPictureOfTheGameFolderDecodes) {
    MessageCapture capture;
    int pictures = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BRAKKON_ASSET_DIR)) {
        if (entry.path().extension() != ".bmp") continue;
        ++pictures;
        auto image = loadBmpImage(entry.path().c_str());
        EXPECT_NE(image, nullptr) << entry.path();
    }
    EXPECT_GT(pictures, 0);
    EXPECT_TRUE(capture.messages().empty());
}
