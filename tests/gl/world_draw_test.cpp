// Drawing the world around an eye: building the near window one tile at a
// time, collecting, flattening far tiles, and drawing the same picture with
// and without skipping hidden tiles.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "image.h"
#include "support/gl_context.h"
#include "support/world_scene.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;

Tile& tileAt(World& world, int i, int j) { return *world.tiles[i * 20 + j]; }

int buildingCount(const World& world) {
    int count = 0;
    for (const auto& tile : world.tiles) count += tile->building;
    return count;
}

// Draws frames at a ground eye until nothing is left to build near it (two
// frames in a row start nothing).
int settle(World& world, int eyeX, int eyeZ, int maxFrames = 200) {
    int idleFrames = 0;
    for (int frame = 0; frame < maxFrames; ++frame) {
        drawWorldFrame(world, eyeX, 30, eyeZ, eyeX, 0, eyeZ - 100);
        idleFrames = world.buildBusy ? 0 : idleFrames + 1;
        if (idleFrames == 2) return frame;
        EXPECT_LE(buildingCount(world), 1);
        waitForBuilder(world);
    }
    return maxFrames;
}

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int count = 0;
    for (size_t k = 0; k < a.size(); k += 3) count += std::memcmp(&a[k], &b[k], 3) != 0;
    return count;
}

std::vector<unsigned char> grabFrame() {
    std::vector<unsigned char> pixels(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class WorldDraw : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_WINDOW(kWidth, kHeight);
        enterAssetDir();
        setupGameView(kWidth, kHeight);
    }
};

}  // namespace

TEST_F(WorldDraw, NearWindowIsBuiltOneTileAtATimeInLoopOrder) {
    World world(1, 8888);
    std::vector<int> started;
    for (int frame = 0; frame < 200 && readyTileCount(world) < 25; ++frame) {
        drawWorldFrame(world, 0, 30, 0, 0, 0, -100);
        EXPECT_LE(buildingCount(world), 1);
        for (int k = 0; k < 400; ++k) {
            if (world.tiles[k]->building && (started.empty() || started.back() != k))
                started.push_back(k);
        }
        waitForBuilder(world);
    }
    ASSERT_EQ(readyTileCount(world), 25);
    // Eye at the origin: the 5 x 5 tiles 8..12 on both axes, lowest I first.
    std::vector<int> expected;
    for (int i = 8; i <= 12; ++i)
        for (int j = 8; j <= 12; ++j) expected.push_back(i * 20 + j);
    EXPECT_EQ(started, expected);
    for (int i = 8; i <= 12; ++i) {
        for (int j = 8; j <= 12; ++j) {
            const Tile& tile = tileAt(world, i, j);
            EXPECT_TRUE(tile.ready && !tile.building && !tile.finished());
            EXPECT_TRUE(glIsBuffer(tile.meshBuffer));
            EXPECT_FALSE(tile.builderThread.holdsThread());
        }
    }
    // The queries now follow the generated fields.
    double highest = 0.0;
    for (int x = -300; x < 300; x += 7)
        for (int z = -300; z < 300; z += 7) highest = std::max(highest, world.heightAt(x, z));
    EXPECT_GT(highest, 6.0);
    EXPECT_LE(highest, 12.0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WorldDraw, AnEyeOutsideTheWorldIsClampedToTheEdge) {
    World world(0, 8888);
    settle(world, 5000, -5000);
    // Clamped to the corner x = +1270, z = -1270: of the 3 x 3 window only
    // the corner tile lies inside the grid.
    EXPECT_EQ(readyTileCount(world), 1);
    EXPECT_TRUE(tileAt(world, 19, 19).ready);
    // The most extreme eye is the same corner, without overflow.
    world.draw(std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
    EXPECT_TRUE(tileAt(world, 19, 19).ready);
    EXPECT_FALSE(world.buildBusy);
    World wider(1, 8888);
    settle(wider, -5000, 5000);
    // Clamped to x = -1270, z = +1270: the windows reach tiles 0..2.
    EXPECT_EQ(readyTileCount(wider), 9);
    EXPECT_TRUE(tileAt(wider, 0, 0).ready && tileAt(wider, 2, 2).ready);
}

TEST_F(WorldDraw, FarTilesAreFlattenedAndRebuiltWithTheSameRelief) {
    World world(0, 8888);  // 3 x 3 near window keeps this quick
    settle(world, 0, 0);
    Tile& tile = tileAt(world, 9, 9);
    ASSERT_TRUE(tile.ready);
    const std::vector<float> relief = tile.terrain->heights;
    const unsigned int oldList = tile.meshBuffer;

    settle(world, 600, 0);  // px 1870: tiles with ox <= 1356 (I <= 10) leave the far window
    EXPECT_FALSE(tile.ready);
    EXPECT_FALSE(tile.terrain);
    EXPECT_FALSE(glIsBuffer(oldList));
    EXPECT_EQ(world.heightAt(-100, 100), 0.0);

    settle(world, 0, 0);
    ASSERT_TRUE(tile.ready);
    EXPECT_TRUE(glIsBuffer(tile.meshBuffer));
    EXPECT_EQ(
        0, std::memcmp(relief.data(), tile.terrain->heights.data(), relief.size() * sizeof(float)));
}

TEST_F(WorldDraw, ManyMovesLeakNoDisplayLists) {
    World world(0, 8888);
    std::set<unsigned int> seen;
    const int path[][2] = {{0, 0}, {400, 0}, {800, 300}, {0, 0}, {-900, -900}, {-200, 500}, {0, 0}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& eye : path) {
            settle(world, eye[0], eye[1]);
            for (const auto& t : world.tiles)
                if (t->ready) seen.insert(t->meshBuffer);
        }
    }
    std::set<unsigned int> live;
    for (const auto& t : world.tiles)
        if (t->ready) live.insert(t->meshBuffer);
    EXPECT_GT(seen.size(), live.size());
    for (unsigned int list : seen)
        EXPECT_EQ(glIsBuffer(list) == GL_TRUE, live.count(list) == 1) << list;
    EXPECT_TRUE(glIsList(world.listBase) && glIsList(world.listBase + 1));
}

TEST_F(WorldDraw, ABuildLeftBehindDoesNotBlockTheNextOne) {
    World world(0, 8888);
    drawWorldFrame(world, 0, 30, 0, 0, 0, -100);  // starts tile (9, 9)
    Tile& first = tileAt(world, 9, 9);
    ASSERT_TRUE(first.building);
    // Jump far away before it is collected; it finishes out of reach.
    drawWorldFrame(world, 1000, 30, -1000, 1000, 0, -1100);
    waitForBuilder(world);
    drawWorldFrame(world, 1000, 30, -1000, 1000, 0, -1100);
    EXPECT_FALSE(first.building || first.ready || first.finished());
    EXPECT_FALSE(first.terrain);
    EXPECT_FALSE(first.builderThread.holdsThread());
    EXPECT_EQ(buildingCount(world), 1);  // the next build started at once
    settle(world, 1000, -1000);
    EXPECT_EQ(readyTileCount(world), 9);
}

TEST_F(WorldDraw, ABuildFinishedBetweenTheWindowsIsCollected) {
    World world(0, 8888);
    drawWorldFrame(world, 0, 30, 0, 0, 0, -100);  // starts tile (9, 9): x -127..0
    Tile& first = tileAt(world, 9, 9);
    ASSERT_TRUE(first.building);
    // px 1270 + 200 = 1470: outside the near window of ox 1143 (needs px <
    // 1397) but inside its far window (px < 1485).
    waitForBuilder(world);
    drawWorldFrame(world, 200, 30, 0, 200, 0, -100);
    EXPECT_TRUE(first.ready);
    EXPECT_TRUE(glIsBuffer(first.meshBuffer));
    EXPECT_FALSE(first.building);
}

TEST_F(WorldDraw, SkippingHiddenTilesChangesNoPixel) {
    World world(1, 8888);
    settle(world, 0, 0);
    const float views[][6] = {{0, 30, 0, 0, 0, -100},       {0, 30, 0, 100, 0, 0},
                              {10, 8, 10, -60, 2, 40},      {0, 200, 0, 0, 0, -1},
                              {-50, 15, 60, 50, 5, -60},    {0, 3, 0, 0, 3.5f, 100},
                              {100, 40, -100, 300, 0, -500}};
    int skipped = 0;
    for (const auto& v : views) {
        settle(world, static_cast<int>(v[0]), static_cast<int>(v[2]));
        world.cullTiles = false;
        drawWorldFrame(world, v[0], v[1], v[2], v[3], v[4], v[5]);
        const auto full = grabFrame();
        world.cullTiles = true;
        drawWorldFrame(world, v[0], v[1], v[2], v[3], v[4], v[5]);
        skipped += world.lastSkippedTiles;
        EXPECT_EQ(differingPixels(full, grabFrame()), 0) << v[0] << " " << v[1] << " " << v[2];
        // The state left for whoever draws next is the same as well.
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), world.desertTexture.textureName());
    }
    EXPECT_GT(skipped, 7 * 100);  // most of the grid lies outside a 90 degree view
}

TEST_F(WorldDraw, ScreenshotOfHillsFromAbove) {
    World world(1, 8888);
    settle(world, -1000, 1000);  // the corner: border hills up to 100 high
    drawWorldFrame(world, -1000, 160, 1000, -1150, 0, 1150);
    const auto pixels = grabFrame();
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char* p = &pixels[((kHeight - 1 - y) * kWidth + x) * 3];
            image.at(x, y) = {p[0], p[1], p[2]};
        }
    ASSERT_TRUE(writeBmp24(std::string(BRAKKON_ASSET_DIR) + "/../world-hills.bmp", image));
    // The relief shades the ground: far from one flat colour.
    std::set<int> shades;
    for (size_t k = 0; k < pixels.size(); k += 3 * 97)
        shades.insert(pixels[k] * 65536 + pixels[k + 1] * 256 + pixels[k + 2]);
    EXPECT_GT(shades.size(), 20u);
}
