// Models written by the asset tool and read back by the game's own readers:
// the same vertices (after the axis change), faces, texture coordinates and
// materials, and every generated file where the game's conventions need it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets/asset_names.h"
#include "assets/obj_model.h"
#include "assets/reader_3ds.h"
#include "mesh.h"
#include "obj_writer.h"
#include "writer_3ds.h"

namespace {

const std::string kAssets = BRAKKON_ASSET_DIR;

Mesh sampleMesh() {
    Mesh m = makeBox({-1, 0, -2}, {1, 3, 2});
    m.append(moved(makeCylinder(0.5f, 0.4f, 0, 1, 12), 0, 3, 0));
    return m;
}

TEST(ModelRoundTrip, ObjReadsBackVerticesNormalsTexcoordsAndTriangles) {
    const Mesh m = sampleMesh();
    const std::string path = ::testing::TempDir() + "roundtrip" + std::to_string(getpid()) + ".obj";
    ASSERT_TRUE(writeObj(path, m, "roundtrip", 0.5f));
    ObjModel obj;
    ASSERT_TRUE(obj.load(path.c_str()));
    EXPECT_EQ(obj.status, ObjStatus::Ok);
    ASSERT_EQ(obj.vertexCount, static_cast<int>(m.vertices.size()));
    ASSERT_EQ(obj.normalCount, static_cast<int>(m.vertices.size()));
    ASSERT_EQ(obj.texCoordCount, static_cast<int>(m.vertices.size()));
    ASSERT_EQ(obj.faceCount, static_cast<int>(m.triangles.size()));
    for (size_t i = 0; i < m.vertices.size(); ++i) {
        const MeshVertex& v = m.vertices[i];
        EXPECT_NEAR(obj.vertices[3 * i], v.position.x, 1e-4f);
        EXPECT_NEAR(obj.vertices[3 * i + 1], v.position.y, 1e-4f);
        EXPECT_NEAR(obj.vertices[3 * i + 2], v.position.z, 1e-4f);
        EXPECT_NEAR(obj.normals[3 * i], 0.5f * v.normal.x, 1e-4f);
        EXPECT_NEAR(obj.normals[3 * i + 1], 0.5f * v.normal.y, 1e-4f);
        EXPECT_NEAR(obj.texCoords[3 * i], v.u, 1e-4f);
        EXPECT_NEAR(obj.texCoords[3 * i + 1], v.v, 1e-4f);
    }
    for (size_t i = 0; i < m.triangles.size(); ++i) {
        const MeshTriangle& t = m.triangles[i];
        const ObjTriangle& o = obj.triangles[i];
        const int expected[3] = {t.a, t.b, t.c};
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(o.vertexIndex[c], expected[c]);
            EXPECT_EQ(o.normalIndex[c], expected[c]);
            EXPECT_EQ(o.texCoordIndex[c], expected[c]);
        }
    }
}

TEST(ModelRoundTrip, ThreeDsReadsBackGameAxesFacesTexcoordsAndMaterials) {
    Model model;
    model.addMaterial("paint", Rgb{200, 100, 50});
    model.addMaterial("picture", Rgb{255, 255, 255}, "obj/world/sign_stop.bmp");
    const Mesh m = sampleMesh();
    model.addObject("body", m, 0);
    model.addObject("face", makeBox({0, 0, 0}, {1, 1, 1}), 1);
    const std::string path = ::testing::TempDir() + "roundtrip" + std::to_string(getpid()) + ".3DS";
    ASSERT_TRUE(write3ds(path, model));

    SceneData3DS scene;
    Reader3DS reader;
    ASSERT_TRUE(reader.read(scene, path.c_str()));
    ASSERT_EQ(scene.materialCount, 2);
    EXPECT_STREQ(scene.materials[0].name, "paint");
    EXPECT_EQ(scene.materials[0].colour[0], 200);
    EXPECT_EQ(scene.materials[0].colour[1], 100);
    EXPECT_EQ(scene.materials[0].colour[2], 50);
    EXPECT_STREQ(scene.materials[0].textureFileName, "");
    EXPECT_STREQ(scene.materials[1].textureFileName, "obj/world/sign_stop.bmp");

    ASSERT_EQ(scene.objectCount, 2);
    const Object3DS& body = scene.objects[0];
    EXPECT_STREQ(body.name, "body");
    EXPECT_EQ(body.materialIndex, 0);  // coloured by material 0
    EXPECT_FALSE(body.textured);
    ASSERT_EQ(body.vertexCount, static_cast<int>(m.vertices.size()));
    ASSERT_EQ(body.faceCount, static_cast<int>(m.triangles.size()));
    ASSERT_EQ(body.texCoordCount, static_cast<int>(m.vertices.size()));
    for (size_t i = 0; i < m.vertices.size(); ++i) {
        EXPECT_FLOAT_EQ(body.vertices[i].x, m.vertices[i].position.x);
        EXPECT_FLOAT_EQ(body.vertices[i].y, m.vertices[i].position.y);
        EXPECT_FLOAT_EQ(body.vertices[i].z, m.vertices[i].position.z);
        EXPECT_FLOAT_EQ(body.texCoords[i].u, m.vertices[i].u);
        EXPECT_FLOAT_EQ(body.texCoords[i].v, m.vertices[i].v);
        // The reader's normals come from the winding: they agree with ours.
        const Point3 n{body.normals[i].x, body.normals[i].y, body.normals[i].z};
        EXPECT_GT(dot(n, m.vertices[i].normal), 0.95f) << i;
    }
    for (size_t i = 0; i < m.triangles.size(); ++i) {
        EXPECT_EQ(body.faces[i].vertexIndex[0], m.triangles[i].a);
        EXPECT_EQ(body.faces[i].vertexIndex[1], m.triangles[i].b);
        EXPECT_EQ(body.faces[i].vertexIndex[2], m.triangles[i].c);
    }
    const Object3DS& face = scene.objects[1];
    EXPECT_TRUE(face.textured);
    EXPECT_EQ(face.materialIndex, 1);
}

// ---------------------------------------------------------------------------
// The generated asset folder.

struct Box {
    Point3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    void add(const Point3& p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

Box objBox(const std::string& name) {
    ObjModel obj;
    EXPECT_TRUE(obj.load((kAssets + "/" + name).c_str())) << name;
    Box box;
    for (int i = 0; i < obj.vertexCount; ++i)
        box.add({obj.vertices[3 * i], obj.vertices[3 * i + 1], obj.vertices[3 * i + 2]});
    return box;
}

SceneData3DS readScene(const std::string& name) {
    SceneData3DS scene;
    Reader3DS reader;
    EXPECT_TRUE(reader.read(scene, (kAssets + "/" + name).c_str())) << name;
    return scene;
}

// Bounds of a model as the game places it: scale (s.x, s.y, s.z) applied
// after moving by offset.
Box sceneBox(const SceneData3DS& scene, Point3 scale = {1, 1, 1}, Point3 offset = {}) {
    Box box;
    for (const Object3DS& o : scene.objects)
        for (const Vec3& v : o.vertices)
            box.add({scale.x * (v.x + offset.x), scale.y * (v.y + offset.y),
                     scale.z * (v.z + offset.z)});
    return box;
}

TEST(GeneratedModels, EveryTankPartLoadsAndTheTracksTouchTheGround) {
    for (int phase = 0; phase < 5; ++phase) {
        const Box t = objBox("obj/RX/DETAIL/track" + std::to_string(phase) + ".obj");
        EXPECT_NEAR(t.lo.y, -1000.0f, 3.0f);
        EXPECT_NEAR(0.5f * (t.lo.x + t.hi.x), 245.0f, 5.0f);
    }
    // The hull rests on the tracks, above the ground, and fits the hit radius.
    const Box hull = objBox("obj/RX/DETAIL/Main.obj");
    EXPECT_GT(hull.lo.y, -1000.0f);
    EXPECT_LT(std::hypot(std::max(-hull.lo.x, hull.hi.x), std::max(-hull.lo.z, hull.hi.z)),
              2000.0f);
    std::vector<const char*> parts(std::begin(assetnames::kTankPartModels),
                                   std::end(assetnames::kTankPartModels));
    parts.push_back(assetnames::kDebrisSmallModel);
    parts.push_back(assetnames::kDebrisLargeModel);
    for (const char* name : parts) {
        ObjModel obj;
        EXPECT_TRUE(obj.load((kAssets + "/" + name).c_str())) << name;
        EXPECT_EQ(obj.status, ObjStatus::Ok) << name;
        EXPECT_GT(obj.faceCount, 0) << name;
        EXPECT_EQ(obj.normalCount, obj.vertexCount) << name;
    }
}

TEST(GeneratedModels, BlockFillsItsUnitBox) {
    const SceneData3DS walls = readScene("obj/NOTROOF.3DS");
    const SceneData3DS roof = readScene("obj/ROOF.3DS");
    Box box = sceneBox(walls);
    const Box top = sceneBox(roof);
    box.add(top.lo);
    box.add(top.hi);
    EXPECT_FLOAT_EQ(box.lo.x, -0.5f);
    EXPECT_FLOAT_EQ(box.hi.x, 0.5f);
    EXPECT_FLOAT_EQ(box.lo.z, -0.5f);
    EXPECT_FLOAT_EQ(box.hi.z, 0.5f);
    EXPECT_FLOAT_EQ(box.lo.y, 0.0f);
    EXPECT_FLOAT_EQ(box.hi.y, 1.0f);
    EXPECT_FLOAT_EQ(top.lo.y, 1.0f);
    // Walls and roof face outwards: the reader's normals point away from the centre.
    for (const SceneData3DS* scene : {&walls, &roof})
        for (const Object3DS& o : scene->objects)
            for (int i = 0; i < o.vertexCount; ++i) {
                const Vec3& p = o.vertices[i];
                const Vec3& n = o.normals[i];
                EXPECT_GT(n.x * p.x + n.y * (p.y - 0.5f) + n.z * p.z, 0.0f);
            }
}

TEST(GeneratedModels, EnemiesFacePlusZAndStandOnTheGround) {
    // The turret tank's gun reaches forward; the car's front bar is ahead.
    const Box gun = sceneBox(readScene("obj/Enemy/EM1_GUN.3DS"));
    EXPECT_GT(gun.lo.z, 0.0f);
    const Box car = sceneBox(readScene("obj/Enemy/EJ_CAR.3DS"));
    EXPECT_GT(car.hi.z, -car.lo.z);
    EXPECT_NEAR(sceneBox(readScene("obj/Enemy/EJ_WHEEL.3DS")).lo.y, 0.0f, 1e-4f);
    EXPECT_NEAR(sceneBox(readScene("obj/Enemy/EM1_BASEB.3DS")).lo.y, 0.0f, 1e-4f);
    // The heavy's parts as drawn: scale (0.5, 0.5, -0.5) after their offsets.
    const Point3 half{0.5f, 0.5f, -0.5f};
    const Box tracks = sceneBox(readScene("obj/Enemy/EMMB.3DS"), half, {0, 3, 0});
    const Box hull = sceneBox(readScene("obj/Enemy/EMMR.3DS"), half, {-1, 0, 0});
    const Box turret = sceneBox(readScene("obj/Enemy/EMMW.3DS"), half, {1, 0, 0});
    EXPECT_NEAR(tracks.lo.y, 0.0f, 1e-4f);
    EXPECT_GT(tracks.hi.z, 2.5f);  // the barrels point forward
    EXPECT_NEAR(hull.lo.x, -hull.hi.x, 1e-4f);
    EXPECT_NEAR(turret.lo.x, -turret.hi.x, 1e-4f);
    EXPECT_LT(std::hypot(hull.hi.x, hull.hi.z), 3.2f);
}

TEST(GeneratedModels, EveryObjectIsColouredOrTexturedWithAPictureThatExists) {
    for (const char* name : assetnames::kWorldModels) {
        const SceneData3DS scene = readScene(name);
        ASSERT_GT(scene.objectCount, 0) << name;
        for (const Object3DS& o : scene.objects) {
            EXPECT_GT(o.faceCount, 0) << name;
            ASSERT_GE(o.materialIndex, 0) << name << " " << o.name << " would be drawn white";
            if (!o.textured) continue;
            struct stat info;
            const std::string picture =
                kAssets + "/" + scene.materials[o.materialIndex].textureFileName;
            EXPECT_EQ(stat(picture.c_str(), &info), 0) << picture;
        }
    }
}

}  // namespace
