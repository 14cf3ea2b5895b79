#include "world/hill_terrain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/random.h"

namespace {

HillParams innerTile(int seed) {
    HillParams p;
    p.size = 128;
    p.hillMin = 2.0f;
    p.hillMax = 18.0f;
    p.heightScale = 12.0f;
    p.numHills = 200;
    p.seed = seed;
    return p;
}

HillParams borderTile(int seed) {
    HillParams p = innerTile(seed);
    p.hillMin = 5.0f;
    p.hillMax = 20.0f;
    p.heightScale = 100.0f;
    p.numHills = 500;
    return p;
}

std::uint32_t bits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

CHillTerrain generated(const HillParams& params) {
    CHillTerrain terrain(params);
    terrain.generate();
    return terrain;
}

// The world's seeds: tile (I, J) gets I + J + 29063.
constexpr int kWorldRand = 29063;

}  // namespace

TEST(HillTerrain, ConstructorCopiesParametersAndSizesTheField) {
    HillParams p = borderTile(77);
    p.flattening = 3;
    p.island = true;
    CHillTerrain t(p);
    EXPECT_EQ(t.size, 128);
    EXPECT_EQ(t.hillMin, 5.0f);
    EXPECT_EQ(t.hillMax, 20.0f);
    EXPECT_EQ(t.heightScale, 100.0f);
    EXPECT_EQ(t.numHills, 500);
    EXPECT_EQ(t.flattening, 3);
    EXPECT_TRUE(t.island);
    EXPECT_EQ(t.seed, 77);
    EXPECT_EQ(t.heights.size(), 128u * 128u);
    EXPECT_EQ(t.normals.size(), 128u * 128u);
}

TEST(HillTerrain, SameParametersGiveIdenticalFields) {
    const CHillTerrain a = generated(innerTile(kWorldRand + 12));
    // Another sequence in between must not matter: generation reseeds.
    rng::srand(5);
    rng::rand();
    const CHillTerrain b = generated(innerTile(kWorldRand + 12));
    EXPECT_EQ(0, std::memcmp(a.heights.data(), b.heights.data(), a.heights.size() * sizeof(float)));
    for (size_t k = 0; k < a.normals.size(); ++k) {
        ASSERT_EQ(a.normals[k].x, b.normals[k].x);
        ASSERT_EQ(a.normals[k].y, b.normals[k].y);
        ASSERT_EQ(a.normals[k].z, b.normals[k].z);
    }
    const CHillTerrain c = generated(innerTile(kWorldRand + 13));
    EXPECT_NE(0, std::memcmp(a.heights.data(), c.heights.data(), a.heights.size() * sizeof(float)));
}

TEST(HillTerrain, GoldenSamplesOfAnInnerAndABorderTile) {
    // Exact bit patterns: any change in what is rounded to float, and when,
    // shows up here.
    const CHillTerrain inner = generated(innerTile(kWorldRand + 12));   // tile (5, 7)
    const CHillTerrain border = generated(borderTile(kWorldRand + 3));  // tile (0, 3)
    const int points[][2] = {{10, 110}, {17, 40}, {64, 64}, {101, 9}, {118, 30}};
    const std::uint32_t innerBits[] = {0x3a1198b2u, 0x3ecc570cu, 0x3ece5c26u, 0x3db36b01u,
                                       0x3e4e0fbcu};
    const std::uint32_t borderBits[] = {0x3dabe4dcu, 0x3e5d8dfau, 0x3f59ca42u, 0x3dece5cdu,
                                        0x3db66c11u};
    for (int k = 0; k < 5; ++k) {
        const int m = points[k][0], n = points[k][1];
        EXPECT_EQ(bits(inner.heightAt(m, n)), innerBits[k]) << m << "," << n;
        EXPECT_EQ(bits(border.heightAt(m, n)), borderBits[k]) << m << "," << n;
    }
    EXPECT_EQ(inner.normalAt(17, 40).y, 0.95109638092987547);
    EXPECT_EQ(border.normalAt(101, 9).x, -0.1013030431828922);
}

TEST(HillTerrain, FieldSpansZeroToOneAndNormalsAreUnit) {
    for (const HillParams& p : {innerTile(kWorldRand + 20), borderTile(kWorldRand + 38)}) {
        const CHillTerrain t = generated(p);
        const auto [low, high] = std::minmax_element(t.heights.begin(), t.heights.end());
        EXPECT_EQ(*low, 0.0f);
        EXPECT_EQ(*high, 1.0f);
        for (const Vec3d& n : t.normals) {
            ASSERT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0, 1e-9);
            ASSERT_GT(n.y, 0.0);  // a height field never faces down
        }
    }
}

TEST(HillTerrain, AllEqualFieldIsClearedWithUpwardNormals) {
    HillParams p = innerTile(1);
    p.numHills = 0;
    CHillTerrain t(p);
    t.generate();
    for (float h : t.heights) ASSERT_EQ(h, 0.0f);
    for (const Vec3d& n : t.normals) {
        ASSERT_EQ(n.x, 0.0);
        ASSERT_EQ(n.y, 1.0);
        ASSERT_EQ(n.z, 0.0);
    }
    // A constant non-zero field is cleared too.
    std::fill(t.heights.begin(), t.heights.end(), 3.5f);
    t.normalize();
    for (float h : t.heights) ASSERT_EQ(h, 0.0f);
}

TEST(HillTerrain, HillsAreClippedAtTheFieldEdgeAndStayInsideTheirDisc) {
    // One large hill on a small field: its box reaches past every edge.
    HillParams p;
    p.size = 8;
    p.hillMin = 30.0f;
    p.hillMax = 30.0f;
    p.numHills = 1;
    p.seed = 3;
    CHillTerrain t(p);
    t.clear();
    rng::srand(3);
    t.addHill();  // radius 30, centre on the clamp of a negative span: no crash, all inside
    for (float h : t.heights) EXPECT_TRUE(std::isfinite(h));

    // A small hill: everything outside its disc stays exactly zero.
    p.size = 32;
    p.hillMin = p.hillMax = 4.0f;
    CHillTerrain s(p);
    s.clear();
    rng::srand(11);
    const int r1 = rng::rand(), r2 = rng::rand(), r3 = rng::rand();
    (void)r1;
    const double span = 32.0 - 4.0 - 1.0;
    const double cx = static_cast<float>(4.0 + (r2 * (span - 4.0)) * 3.051850947599719e-05);
    const double cy = static_cast<float>(4.0 + (r3 * (span - 4.0)) * 3.051850947599719e-05);
    rng::srand(11);
    s.addHill();
    int touched = 0;
    for (int n = 0; n < 32; ++n) {
        for (int m = 0; m < 32; ++m) {
            const double d2 = (cx - m) * (cx - m) + (cy - n) * (cy - n);
            const float h = s.heightAt(m, n);
            if (d2 >= 16.0) {
                EXPECT_EQ(h, 0.0f) << m << "," << n;
            } else if (d2 < 15.9) {
                EXPECT_NEAR(h, 16.0 - d2, 1e-3) << m << "," << n;
            }
            touched += h > 0.0f;
        }
    }
    EXPECT_GT(touched, 30);
}

TEST(HillTerrain, HillBoxIsCutAtRowsAndColumnsZeroAndLast) {
    // Radius 10 on a 16-wide field: centre at 10 spans past column 15 and
    // below column 0; the hill covers the field without writing outside it.
    HillParams p;
    p.size = 16;
    p.hillMin = p.hillMax = 10.0f;
    p.numHills = 1;
    CHillTerrain t(p);
    t.clear();
    rng::srand(2);
    t.addHill();
    EXPECT_GT(t.heightAt(15, 15) + t.heightAt(0, 0) + t.heightAt(0, 15) + t.heightAt(15, 0), 0.0f);
}

TEST(HillTerrain, IslandCentresLieInTheRing) {
    // One island hill at a time on a clear field. Its peak, within a sample
    // of the centre, is radius² high; the centre lies between half the radius
    // and 64 - radius from the field's middle, and the centres go all round.
    HillParams p = innerTile(9);
    p.island = true;
    p.hillMin = 3.0f;
    p.hillMax = 12.0f;
    CHillTerrain t(p);
    rng::srand(9);
    bool quadrantSeen[4] = {};
    for (int k = 0; k < 200; ++k) {
        t.clear();
        t.addHill();
        const auto peakAt =
            std::max_element(t.heights.begin(), t.heights.end()) - t.heights.begin();
        const double radius = std::sqrt(static_cast<double>(t.heights[peakAt]));
        ASSERT_GE(radius, 3.0 - 0.1) << k;
        ASSERT_LE(radius, 12.0 + 0.1) << k;
        const double x = static_cast<double>(peakAt % 128) - 64.0;
        const double y = static_cast<double>(peakAt / 128) - 64.0;
        const double fromMiddle = std::hypot(x, y);
        EXPECT_GE(fromMiddle, radius / 2 - 1.0) << k;
        EXPECT_LE(fromMiddle, 64.0 - radius + 1.0) << k;
        quadrantSeen[(x >= 0 ? 1 : 0) + (y >= 0 ? 2 : 0)] = true;
    }
    for (bool seen : quadrantSeen) EXPECT_TRUE(seen);
}

TEST(HillTerrain, FlatteningRaisesToThePower) {
    CHillTerrain t(innerTile(1));
    t.heights.assign(t.heights.size(), 0.5f);
    t.flattening = 1;
    t.flatten();
    EXPECT_EQ(t.heights[0], 0.5f);
    t.flattening = 0;
    t.flatten();
    EXPECT_EQ(t.heights[0], 0.5f);
    t.flattening = 3;
    t.flatten();
    EXPECT_EQ(t.heights[0], 0.125f);
}

TEST(HillTerrain, NormalsLeanAwayFromASlope) {
    // A ramp rising toward +m (east, +x): normals point back west (-x).
    HillParams p;
    p.size = 4;
    p.heightScale = 3.0f;
    CHillTerrain t(p);
    for (int n = 0; n < 4; ++n)
        for (int m = 0; m < 4; ++m) t.heights[n * 4 + m] = m / 3.0f;
    t.computeNormals();
    const double k = 1.0 / std::sqrt(2.0);
    for (int n = 0; n < 4; ++n) {
        for (int m = 0; m < 4; ++m) {
            const Vec3d v = t.normalAt(m, n);
            EXPECT_NEAR(v.x, -k, 1e-6);
            EXPECT_NEAR(v.y, k, 1e-6);
            EXPECT_NEAR(v.z, 0.0, 1e-6);
        }
    }
    // Rising with the row index, i.e. toward -z: normals lean toward +z.
    for (int n = 0; n < 4; ++n)
        for (int m = 0; m < 4; ++m) t.heights[n * 4 + m] = n / 3.0f;
    t.computeNormals();
    EXPECT_NEAR(t.normalAt(2, 1).z, k, 1e-6);
    EXPECT_NEAR(t.normalAt(0, 3).z, k, 1e-6);
}

TEST(HillTerrain, DegenerateSizesDoNotCrash) {
    HillParams p = innerTile(4);
    p.size = 1;
    CHillTerrain one(p);
    one.generate();
    EXPECT_EQ(one.heightAt(0, 0), 0.0f);
    EXPECT_EQ(one.normalAt(0, 0).y, 0.0);  // no triangle touches a lone sample
}
