// The asset tool's mesh library and model writers, checked without the
// game's readers: solids close outwards, the OBJ text and the 3DS chunk tree
// have the shapes the game expects, and the model files sit where the
// game's draw transforms need them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "asset_sets.h"
#include "assets/asset_names.h"
#include "mesh.h"
#include "model_files.h"
#include "obj_writer.h"
#include "tank_design.h"
#include "writer_3ds.h"

namespace {

Point3 centreOf(const Mesh& m) {
    Point3 lo, hi;
    meshBounds(m, lo, hi);
    return 0.5f * (lo + hi);
}

// A closed convex solid wound counter-clockwise seen from outside: every
// triangle's winding normal points away from the centre and agrees with the
// vertex normals it carries.
void expectConvexOutward(const Mesh& m, const char* what) {
    ASSERT_FALSE(m.empty()) << what;
    const Point3 centre = centreOf(m);
    for (const MeshTriangle& t : m.triangles) {
        const Point3 a = m.vertices[t.a].position, b = m.vertices[t.b].position,
                     c = m.vertices[t.c].position;
        const Point3 n = cross(b - a, c - a);
        if (dot(n, n) < 1e-12f) continue;  // degenerate pole slivers
        const Point3 mid = (1.0f / 3.0f) * (a + b + c);
        EXPECT_GT(dot(n, mid - centre), 0.0f) << what;
        for (int corner : {t.a, t.b, t.c})
            EXPECT_GT(dot(n, m.vertices[corner].normal), 0.0f) << what;
    }
}

TEST(MeshSolids, EveryBuilderWindsOutwardsWithMatchingNormals) {
    expectConvexOutward(makeBox({-1, 0, -2}, {1, 3, 2}), "box");
    expectConvexOutward(makeTaperedBox(0, 1, -1, 1, -1, 1, -0.5f, 0.5f, -0.2f, 0.8f), "taper");
    expectConvexOutward(makeCylinder(1, 1, 0, 2, 12), "cylinder");
    expectConvexOutward(makeCylinder(1, 0, 0, 2, 12), "cone");
    expectConvexOutward(makeCylinder(0, 1, 0, 2, 12), "cone upside down");
    expectConvexOutward(makeCylinder(1, 0.5f, 0, 2, 12), "frustum");
    expectConvexOutward(makeSphere(1, 2, 3, 12, 7), "sphere");
    expectConvexOutward(makeWedge(-1, 1, 0, 1, -2, 2), "wedge rising to +z");
    expectConvexOutward(makeWedge(-1, 1, 0, 1, 2, -2), "wedge rising to -z");
    // An outline given clockwise is reversed rather than built inside out.
    expectConvexOutward(makePrism({{0, 0}, {0, 1}, {1, 1}, {1, 0}}, 0, 1), "clockwise prism");
    expectConvexOutward(makeProfileX({{-1, 0}, {1, 0}, {1.5f, 0.5f}, {0, 1}}, -1, 1), "profile");
}

TEST(MeshSolids, ConcavePrismCapsCoverExactlyTheOutline) {
    // An L shape of area 3: the caps' triangles must add up to it on each side.
    const std::vector<Point2> l = {{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
    const Mesh m = makePrism(l, 0, 1);
    float front = 0, back = 0;
    for (const MeshTriangle& t : m.triangles) {
        const Point3 a = m.vertices[t.a].position, b = m.vertices[t.b].position,
                     c = m.vertices[t.c].position;
        const Point3 n = 0.5f * cross(b - a, c - a);
        if (n.z > 1e-6f) front += n.z;
        if (n.z < -1e-6f) back -= n.z;
    }
    EXPECT_NEAR(front, 3.0f, 1e-5f);
    EXPECT_NEAR(back, 3.0f, 1e-5f);
}

TEST(MeshTransform, MirroringKeepsTheSurfaceFacingOutwards) {
    const Mesh box = makeBox({1, 1, 1}, {2, 3, 4});
    expectConvexOutward(transformed(box, Transform::scaling(2, 2, -2)), "mirrored z");
    expectConvexOutward(transformed(box, Transform::scaling(-1, 1, 1)), "mirrored x");
    const Mesh turned =
        transformed(box, Transform::translation(5, 0, 0) * Transform::rotationY(90.0f));
    expectConvexOutward(turned, "turned");
    // A quarter turn about y takes +z to +x; the translation comes after it.
    const Point3 p =
        (Transform::translation(5, 0, 0) * Transform::rotationY(90.0f)).apply({0, 0, 1});
    EXPECT_NEAR(p.x, 6.0f, 1e-6f);
    EXPECT_NEAR(p.z, 0.0f, 1e-6f);
    EXPECT_NEAR(Transform::scaling(2, 2, -2).determinant(), -8.0f, 1e-6f);
}

TEST(MeshHelpers, AlongAxesAndFacetingKeepTheShape) {
    Point3 lo, hi;
    meshBounds(alongZ(makeCylinder(1, 1, 2, 5, 8), 10, 0, 0), lo, hi);
    EXPECT_NEAR(lo.z, 2.0f, 1e-5f);
    EXPECT_NEAR(hi.z, 5.0f, 1e-5f);
    EXPECT_NEAR(hi.x, 11.0f, 1e-5f);
    meshBounds(alongX(makeCylinder(1, 1, 2, 5, 8)), lo, hi);
    EXPECT_NEAR(lo.x, 2.0f, 1e-5f);
    EXPECT_NEAR(hi.x, 5.0f, 1e-5f);
    const Mesh sphere = makeSphere(1, 1, 1, 8, 5);
    const Mesh flat = faceted(sphere);
    EXPECT_EQ(flat.triangles.size(), sphere.triangles.size());
    EXPECT_EQ(flat.vertices.size(), 3 * sphere.triangles.size());
    expectConvexOutward(flat, "faceted sphere");
}

// ---------------------------------------------------------------------------
// OBJ text

TEST(ObjWriter, WritesEveryVertexWithTexcoordAndNormalAndFacesInVTNForm) {
    Mesh m;
    m.addFlatTriangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0}, {1, 0}, {0, 1});
    const std::string text = objText(m, "test");
    EXPECT_NE(text.find("\nv 1 0 0\n"), std::string::npos);
    EXPECT_NE(text.find("\nvt 0 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nvn 0 0 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nf 1/1/1 2/2/2 3/3/3\n"), std::string::npos);
    // No group lines: a "g" line would change how the game's reader winds faces.
    EXPECT_EQ(text.find("\ng"), std::string::npos);
}

// ---------------------------------------------------------------------------
// The model files as written, read back with minimal parsers.

struct Chunk {
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    size_t start = 0;
};

std::uint16_t le16(const std::vector<std::uint8_t>& b, size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t le32(const std::vector<std::uint8_t>& b, size_t at) {
    return le16(b, at) | (static_cast<std::uint32_t>(le16(b, at + 2)) << 16);
}
float leFloat(const std::vector<std::uint8_t>& b, size_t at) {
    const std::uint32_t v = le32(b, at);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

std::vector<Chunk> children(const std::vector<std::uint8_t>& b, size_t from, size_t end) {
    std::vector<Chunk> out;
    while (from + 6 <= end) {
        Chunk c{le16(b, from), le32(b, from + 2), from};
        if (c.length < 6 || from + c.length > end) {
            ADD_FAILURE() << "chunk " << std::hex << c.id << " overruns its parent";
            break;
        }
        out.push_back(c);
        from += c.length;
    }
    EXPECT_EQ(from, end) << "chunks do not fill their parent exactly";
    return out;
}

TEST(Writer3ds, ChunkTreeHasTheLayoutTheGameReads) {
    Model model;
    model.addMaterial("paint", Rgb{10, 20, 30});
    model.addMaterial("sign", Rgb{255, 255, 255}, "obj/world/x.bmp");
    Mesh m;
    m.addFlatTriangle({1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    model.addObject("thing", m, 1);
    const std::vector<std::uint8_t> b = encode3ds(model);

    ASSERT_GE(b.size(), 6u);
    EXPECT_EQ(le16(b, 0), 0x4D4D);
    EXPECT_EQ(le32(b, 2), b.size());
    const auto top = children(b, 6, b.size());
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].id, 0x0002);
    EXPECT_EQ(le32(b, top[0].start + 6), 3u);
    EXPECT_EQ(top[1].id, 0x3D3D);

    const auto editor = children(b, top[1].start + 6, top[1].start + top[1].length);
    ASSERT_EQ(editor.size(), 4u);
    EXPECT_EQ(editor[0].id, 0x3D3E);  // skipped unseen by the game, so never a model part
    EXPECT_EQ(editor[1].id, 0xAFFF);
    EXPECT_EQ(editor[2].id, 0xAFFF);
    EXPECT_EQ(editor[3].id, 0x4000);

    // First material: name and a 24-bit diffuse colour, no texture map.
    const auto paint = children(b, editor[1].start + 6, editor[1].start + editor[1].length);
    ASSERT_EQ(paint.size(), 2u);
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[paint[0].start + 6]), "paint");
    EXPECT_EQ(paint[1].id, 0xA020);
    EXPECT_EQ(le16(b, paint[1].start + 6), 0x0011);
    EXPECT_EQ(b[paint[1].start + 12], 10);
    EXPECT_EQ(b[paint[1].start + 14], 30);
    const auto sign = children(b, editor[2].start + 6, editor[2].start + editor[2].length);
    ASSERT_EQ(sign.size(), 3u);
    EXPECT_EQ(sign[2].id, 0xA200);
    EXPECT_EQ(le16(b, sign[2].start + 6), 0xA300);
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[sign[2].start + 12]), "obj/world/x.bmp");

    // The object: name, then one triangle mesh with vertices in z-up axes.
    const size_t object = editor[3].start + 6;
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[object]), "thing");
    const auto mesh = children(b, object + 6, editor[3].start + editor[3].length);
    ASSERT_EQ(mesh.size(), 1u);
    EXPECT_EQ(mesh[0].id, 0x4100);
    const auto parts = children(b, mesh[0].start + 6, mesh[0].start + mesh[0].length);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].id, 0x4110);
    EXPECT_EQ(le16(b, parts[0].start + 6), 3);
    EXPECT_EQ(leFloat(b, parts[0].start + 8), 1.0f);    // x
    EXPECT_EQ(leFloat(b, parts[0].start + 12), -3.0f);  // -z
    EXPECT_EQ(leFloat(b, parts[0].start + 16), 2.0f);   // y
    EXPECT_EQ(parts[1].id, 0x4140);
    EXPECT_EQ(parts[2].id, 0x4120);
    EXPECT_EQ(le16(b, parts[2].start + 6), 1);
    // The material group follows the face list inside the face chunk.
    const size_t group = parts[2].start + 8 + 8;
    EXPECT_EQ(le16(b, group), 0x4130);
    EXPECT_STREQ(reinterpret_cast<const char*>(&b[group + 6]), "sign");
}

TEST(Writer3ds, RefusesObjectsBeyondSixteenBitCounts) {
    Model model;
    model.addMaterial("m", Rgb{});
    Mesh big;
    for (int i = 0; i < 70000; ++i) big.addVertex({0, 0, 0}, {0, 1, 0});
    big.addTriangle(0, 1, 2);
    model.addObject("big", big, 0);
    EXPECT_FALSE(write3ds("/tmp/never-written.3DS", model));
}

// ---------------------------------------------------------------------------
// The generated model set.

class ModelFiles : public ::testing::Test {
protected:
    static std::string dir;
    static void SetUpTestSuite() {
        // One folder per process: ctest may run these cases side by side.
        dir = ::testing::TempDir() + "brakkon_models_a" + std::to_string(getpid());
        ASSERT_TRUE(writeModels(dir));
    }
};
std::string ModelFiles::dir;

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct ObjBounds {
    Point3 lo, hi;
    int vertices = 0, faces = 0;
    size_t longestLine = 0;
};

ObjBounds objBounds(const std::string& path) {
    std::ifstream in(path);
    ObjBounds r;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        r.longestLine = std::max(r.longestLine, line.size());
        if (line.rfind("f ", 0) == 0) ++r.faces;
        if (line.rfind("v ", 0) != 0) continue;
        Point3 p;
        std::sscanf(line.c_str() + 2, "%f %f %f", &p.x, &p.y, &p.z);
        ++r.vertices;
        if (first) r.lo = r.hi = p;
        first = false;
        r.lo = {std::min(r.lo.x, p.x), std::min(r.lo.y, p.y), std::min(r.lo.z, p.z)};
        r.hi = {std::max(r.hi.x, p.x), std::max(r.hi.y, p.y), std::max(r.hi.z, p.z)};
    }
    return r;
}

std::vector<const char*> objFiles() {
    std::vector<const char*> files(std::begin(assetnames::kTankPartModels),
                                   std::end(assetnames::kTankPartModels));
    files.push_back(assetnames::kDebrisSmallModel);
    files.push_back(assetnames::kDebrisLargeModel);
    return files;
}
const std::vector<const char*> kObjFiles = objFiles();
const auto& k3dsFiles = assetnames::kWorldModels;

TEST_F(ModelFiles, EveryFileExistsWithFacesAndShortLines) {
    for (const char* name : kObjFiles) {
        const ObjBounds b = objBounds(dir + "/" + name);
        EXPECT_GT(b.faces, 0) << name;
        // The game reads lines through an 80-byte buffer.
        EXPECT_LT(b.longestLine, 79u) << name;
    }
    for (const char* name : k3dsFiles) {
        const std::vector<std::uint8_t> b = fileBytes(dir + "/" + name);
        ASSERT_GT(b.size(), 6u) << name;
        EXPECT_EQ(le16(b, 0), 0x4D4D) << name;
        EXPECT_EQ(le32(b, 2), b.size()) << name;
    }
}

TEST_F(ModelFiles, SecondRunWritesTheSameBytes) {
    const std::string other = ::testing::TempDir() + "brakkon_models_b" + std::to_string(getpid());
    ASSERT_TRUE(writeModels(other));
    for (const char* name : kObjFiles)
        EXPECT_TRUE(fileBytes(dir + "/" + name) == fileBytes(other + "/" + name)) << name;
    for (const char* name : k3dsFiles)
        EXPECT_TRUE(fileBytes(dir + "/" + name) == fileBytes(other + "/" + name)) << name;
}

TEST_F(ModelFiles, TankPartsSitWhereTheHullTransformsPutThem) {
    // Detailed hull files: y up, ground at -1000, front toward -z.
    for (int phase = 0; phase < 5; ++phase) {
        const ObjBounds t =
            objBounds(dir + "/obj/RX/DETAIL/track" + std::to_string(phase) + ".obj");
        EXPECT_NEAR(t.lo.y, -1000.0f, 3.0f) << phase;
        EXPECT_NEAR(0.5f * (t.lo.x + t.hi.x), 245.0f, 5.0f) << phase;
        EXPECT_LT(t.hi.x, 490.0f) << "the two tracks would overlap";
    }
    const ObjBounds hull = objBounds(dir + "/obj/RX/DETAIL/Main.obj");
    const ObjBounds launcher = objBounds(dir + "/obj/RX/DETAIL/CanIn.obj");
    EXPECT_LT(launcher.lo.z, 0.0f);  // the launcher tubes open toward the front (-z)
    EXPECT_NEAR(hull.lo.z, -1420.0f, 1.0f);
    EXPECT_GT(hull.lo.y, -1000.0f);
    // Plain set: z up, front toward +y.
    const ObjBounds plainHull = objBounds(dir + "/obj/RX/Main.obj");
    EXPECT_NEAR(plainHull.hi.y, 1420.0f, 1.0f);
    EXPECT_NEAR(plainHull.lo.z, hull.lo.y, 1.0f);
    const ObjBounds plainTrack = objBounds(dir + "/obj/RX/Track.obj");
    EXPECT_NEAR(plainTrack.lo.z, -1000.0f, 3.0f);
    // The hull fits inside the tank's hit radius of 2 units.
    EXPECT_LT(std::hypot(std::max(-hull.lo.x, hull.hi.x), std::max(-hull.lo.z, hull.hi.z)),
              2000.0f);
}

TEST_F(ModelFiles, GunBarrelPointsAlongPlusYFromItsPivot) {
    const ObjBounds barrel = objBounds(dir + "/obj/RX/DETAIL/GunBarrel.obj");
    EXPECT_GT(barrel.lo.y, -20.0f);  // all of it ahead of the pivot
    EXPECT_GT(barrel.hi.y, 900.0f);
    EXPECT_NEAR(0.5f * (barrel.lo.x + barrel.hi.x), 360.0f, 1.0f);
    EXPECT_NEAR(0.5f * (barrel.lo.z + barrel.hi.z), 0.0f, 1.0f);
    const ObjBounds mount = objBounds(dir + "/obj/RX/DETAIL/GunBase_b.obj");
    EXPECT_NEAR(0.5f * (mount.lo.y + mount.hi.y), -20.0f, 1.0f);
    EXPECT_NEAR(0.5f * (mount.lo.x + mount.hi.x), 360.0f, 1.0f);
}

TEST_F(ModelFiles, DebrisChunksAreAFewUnitsOnceScaled) {
    for (const char* name : {"obj/debris/BS_1.obj", "obj/debris/BS_2.obj"}) {
        const ObjBounds b = objBounds(dir + "/" + name);
        const float size = std::max({b.hi.x - b.lo.x, b.hi.y - b.lo.y, b.hi.z - b.lo.z});
        EXPECT_GT(size, 30.0f) << name;
        EXPECT_LT(size, 100.0f) << name;
    }
}

TEST_F(ModelFiles, SignPicturesAreWritten) {
    for (const char* name :
         {"obj/world/sign_stop.bmp", "obj/world/sign_limit.bmp", "obj/world/sign_mines.bmp",
          "obj/world/sign_town.bmp", "obj/world/sign_water.bmp", "obj/world/flag.bmp",
          "obj/block_wall.bmp", "obj/block_roof.bmp"}) {
        const std::vector<std::uint8_t> b = fileBytes(dir + "/" + name);
        ASSERT_GT(b.size(), 54u) << name;
        EXPECT_EQ(b[0], 'B') << name;
        EXPECT_EQ(b[1], 'M') << name;
    }
}

}  // namespace
