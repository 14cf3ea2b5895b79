// The world's construction, fog and sky, and the ground queries.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/random.h"
#include "support/gl_context.h"
#include "support/message_capture.h"
#include "support/world_scene.h"

namespace {

Tile& tileAt(World& world, int i, int j) { return *world.tiles[i * 20 + j]; }

// Gives a tile a ready height field filled by `fill(m, n)` (values 0..1).
template <typename Fill>
void makeReady(Tile& tile, Fill fill) {
    tile.terrain = std::make_unique<CHillTerrain>(tile.params);
    for (int n = 0; n < 128; ++n)
        for (int m = 0; m < 128; ++m) tile.terrain->heights[n * 128 + m] = fill(m, n);
    tile.ready = true;
}

void makeFlat(Tile& tile) {
    tile.ready = false;
    tile.terrain.reset();
}

class WorldGrid : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_GL_WINDOW(320, 240);
        enterAssetDir();
    }
};

}  // namespace

TEST_F(WorldGrid, ConstructorSetsSpansTilesAndSeeds) {
    World world(1, 8888);
    EXPECT_EQ(world.viewDistance, 254);
    EXPECT_EQ(world.nearSpan, 381);
    EXPECT_EQ(world.farReach, 342);
    EXPECT_EQ(world.farSpan, 514);
    EXPECT_FALSE(world.buildBusy);
    EXPECT_TRUE(glIsList(world.listBase));
    EXPECT_TRUE(glIsList(world.listBase + 1));

    int border = 0, inner = 0;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            const Tile& tile = tileAt(world, i, j);
            ASSERT_EQ(tile.params.seed, i + j + 29063);  // 29063: first draw after seed 8888
            EXPECT_EQ(tile.params.size, 128);
            EXPECT_EQ(tile.params.flattening, 1);
            EXPECT_FALSE(tile.params.island);
            EXPECT_EQ(tile.flatList, world.listBase + 1);
            EXPECT_EQ(tile.texture, world.desertTexture.textureName());
            EXPECT_EQ(tile.meshBuffer, 0u);
            EXPECT_FALSE(tile.ready || tile.building || tile.finished() || tile.terrain);
            if (i == 0 || j == 0 || i == 19 || j == 19) {
                ++border;
                EXPECT_EQ(tile.params.heightScale, 100.0f);
                EXPECT_EQ(tile.params.numHills, 500);
                EXPECT_EQ(tile.params.hillMin, 5.0f);
                EXPECT_EQ(tile.params.hillMax, 20.0f);
            } else {
                ++inner;
                EXPECT_EQ(tile.params.heightScale, 12.0f);
                EXPECT_EQ(tile.params.numHills, 200);
                EXPECT_EQ(tile.params.hillMin, 2.0f);
                EXPECT_EQ(tile.params.hillMax, 18.0f);
            }
        }
    }
    EXPECT_EQ(border, 76);
    EXPECT_EQ(inner, 324);
    // The constructor leaves the main sequence one draw past the seed.
    rng::srand(8888);
    rng::rand();
    const int expected = rng::rand();
    World again(1, 8888);
    EXPECT_EQ(rng::rand(), expected);
}

TEST_F(WorldGrid, ViewRangeSetsSpansAndFog) {
    World small(0, 8888);
    EXPECT_EQ(small.viewDistance, 127);
    EXPECT_EQ(small.nearSpan, 254);
    EXPECT_EQ(small.farReach, 171);
    EXPECT_EQ(small.farSpan, 342);
    GLfloat value = 0;
    glGetFloatv(GL_FOG_START, &value);
    EXPECT_EQ(value, 63.0f);  // integer half of 127
    glGetFloatv(GL_FOG_END, &value);
    EXPECT_EQ(value, 127.0f);
    glGetFloatv(GL_FOG_DENSITY, &value);
    EXPECT_FLOAT_EQ(value, 0.0005f);

    World normal(1, 8888);
    glGetFloatv(GL_FOG_START, &value);
    EXPECT_EQ(value, 127.0f);
    glGetFloatv(GL_FOG_END, &value);
    EXPECT_EQ(value, 254.0f);
    glGetFloatv(GL_FOG_DENSITY, &value);
    EXPECT_FLOAT_EQ(value, 0.00025f);
    GLint mode = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_EQ(mode, GL_LINEAR);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    GLfloat colour[4];
    glGetFloatv(GL_FOG_COLOR, colour);
    EXPECT_NEAR(colour[0], 0.55f, 1e-6f);
    EXPECT_NEAR(colour[1], 0.42f, 1e-6f);
    EXPECT_NEAR(colour[2], 0.24f, 1e-6f);

    World wide(25, 8888);
    World widest(20, 8888);
    EXPECT_EQ(wide.viewDistance, widest.viewDistance);
    EXPECT_EQ(wide.farSpan, widest.farSpan);
    EXPECT_EQ(wide.viewDistance, 21 * 127);
}

TEST_F(WorldGrid, SkyListLeavesLightingOnAndFogLinear) {
    World world(1, 8888);
    glDisable(GL_LIGHTING);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glCallList(world.listBase);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint mode = 0;
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_EQ(mode, GL_LINEAR);
    // The flat list switches texturing off.
    glEnable(GL_TEXTURE_2D);
    glCallList(world.listBase + 1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WorldGrid, MissingTexturesAreReportedAndTheWorldCarriesOn) {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir("/"), 0);
    MessageCapture capture;
    World world(1, 8888);
    EXPECT_GE(capture.messages().size(), 1u);
    EXPECT_EQ(world.heightAt(0, 0), 0.0);
    ASSERT_EQ(chdir(here), 0);
}

TEST_F(WorldGrid, HeightQueryBoundsAndTileLookup) {
    World world(1, 8888);
    EXPECT_EQ(world.heightAt(0, 0), 0.0);
    EXPECT_EQ(world.heightAt(1269.5f, 0), -1.0);
    EXPECT_EQ(world.heightAt(0, -1269.5f), -1.0);
    EXPECT_EQ(world.heightAt(-1270, 0), -1.0);
    EXPECT_EQ(world.heightAt(NAN, 0), -1.0);
    EXPECT_EQ(world.heightAt(1269, -1269), 0.0);

    // (1269, 1269) lies in tile (19, 0) at local (126, 1).
    Tile& corner = tileAt(world, 19, 0);
    makeReady(corner, [](int m, int n) { return (m == 126 && n == 1) ? 0.75f : 0.0f; });
    EXPECT_EQ(world.heightAt(1269, 1269), 75.0);
    EXPECT_EQ(world.heightAt(1268, 1269), 0.0);
    makeFlat(corner);
    EXPECT_EQ(world.heightAt(1269, 1269), 0.0);
}

TEST_F(WorldGrid, HeightQueryInterpolatesWithinATile) {
    World world(1, 8888);
    // Tile (10, 10): origin x = 0, z = 0. A plane rising along x and z.
    Tile& tile = tileAt(world, 10, 10);
    makeReady(tile, [](int m, int n) { return (m + 2 * n) / 400.0f; });
    const float scale = 12.0f;
    EXPECT_NEAR(world.heightAt(10, -20), (10 + 40) / 400.0f * scale, 1e-5);
    EXPECT_NEAR(world.heightAt(10.5f, -20.25f), (10.5 + 40.5) / 400.0 * scale, 1e-5);
    EXPECT_NEAR(world.heightAt(126.5f, -126.5f), (126.5 + 253) / 400.0 * scale, 1e-5);
    makeFlat(tile);
}

TEST_F(WorldGrid, HeightQueryStaysInsideTheFieldAtEveryTileEdge) {
    World world(1, 8888);
    for (auto& tile : world.tiles) makeReady(*tile, [](int m, int n) { return (m + n) / 254.0f; });
    // Points on and just inside every tile boundary; the 1/127 factor may
    // put a boundary point at local 127 of the tile before it.
    for (int k = 1; k < 20; ++k) {
        const float edge = -1270.0f + 127.0f * k;
        for (float d : {-0.001f, 0.0f, 0.001f}) {
            const double hx = world.heightAt(edge + d, 0.5f);
            const double hz = world.heightAt(0.5f, -(edge + d));
            EXPECT_TRUE(hx >= 0.0 && hx <= 100.0) << edge + d;
            EXPECT_TRUE(hz >= 0.0 && hz <= 100.0) << edge + d;
        }
    }
    for (auto& tile : world.tiles) makeFlat(*tile);
}

TEST_F(WorldGrid, AntiDiagonalTilesShareTheirRelief) {
    World world(1, 8888);
    EXPECT_EQ(tileAt(world, 1, 2).params.seed, tileAt(world, 2, 1).params.seed);
    CHillTerrain a(tileAt(world, 1, 2).params), b(tileAt(world, 2, 1).params);
    a.generate();
    b.generate();
    EXPECT_EQ(0, std::memcmp(a.heights.data(), b.heights.data(), a.heights.size() * sizeof(float)));
    // Same I + J but a border tile: a different class, a different relief.
    CHillTerrain c(tileAt(world, 0, 3).params);
    c.generate();
    EXPECT_NE(0, std::memcmp(a.heights.data(), c.heights.data(), a.heights.size() * sizeof(float)));
}

TEST_F(WorldGrid, SlopeAnglesFollowTheGroundAndKeepOutputsOutside) {
    World world(1, 8888);
    Tile& tile = tileAt(world, 10, 10);  // x 0..127, z 0..-127
    // Rising by 1 unit per unit toward +x (columns): scale 12, so h = m / 12.
    makeReady(tile, [](int m, int) { return m / 144.0f; });
    float a = 7.0f, b = 7.0f;
    const float x = 50.0f, z = -50.0f;
    world.slopeAngles(x, z - 0.5f, x, z + 0.5f, x - 0.5f, z, x + 0.5f, z, a, b);
    EXPECT_NEAR(a, 0.0f, 1e-6f);
    EXPECT_NEAR(b, std::atan(1.0 / 12.0), 1e-5);

    // Rising toward -z (rows): angleA is the rise toward -z.
    makeReady(tile, [](int, int n) { return n / 127.0f; });
    world.slopeAngles(x, z - 1, x, z + 1, x - 1, z, x + 1, z, a, b);
    EXPECT_NEAR(a, std::atan(12.0 / 127.0), 1e-5);
    EXPECT_NEAR(b, 0.0f, 1e-6f);

    a = 3.0f;
    b = 4.0f;
    world.slopeAngles(1269.0f, 0, 1269.0f, 1.0f, 1268.5f, 0.5f, 1269.5f, 0.5f, a, b);
    EXPECT_EQ(a, 3.0f);
    EXPECT_EQ(b, 4.0f);
    makeFlat(tile);
}
