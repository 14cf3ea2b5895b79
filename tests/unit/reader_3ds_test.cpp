#include "assets/reader_3ds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "support/asset_bytes.h"
#include "support/message_capture.h"

namespace {

SceneData3DS readBytes(const Bytes& file, bool expectOk = true) {
    SceneData3DS scene;
    Reader3DS reader;
    EXPECT_EQ(reader.readFromMemory(scene, file.data(), file.size(), "test.3ds"), expectOk);
    EXPECT_EQ(reader.file, nullptr);
    EXPECT_EQ(std::size_t(scene.objectCount), scene.objects.size());
    EXPECT_EQ(std::size_t(scene.materialCount), scene.materials.size());
    return scene;
}

// The flat square used by several tests: x-y plane, counter-clockwise from +z.
Bytes squareObject(const std::string& name, std::initializer_list<Bytes> faceChildren = {}) {
    return object3ds(name, {vertexList3ds({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}),
                            faceList3ds({0, 1, 2, 0, 2, 3}, faceChildren)});
}

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
}

std::vector<std::string> texts(const MessageCapture& capture) {
    std::vector<std::string> out;
    for (const auto& m : capture.messages()) out.push_back(m.title + ": " + m.text);
    return out;
}

}  // namespace

TEST(Reader3DS, VerticesTurnSoTheFilesZIsUp) {
    const SceneData3DS scene = readBytes(file3ds({object3ds("Point", {vertexList3ds({1, 2, 3})})}));
    ASSERT_EQ(scene.objectCount, 1);
    const Object3DS& object = scene.objects[0];
    EXPECT_STREQ(object.name, "Point");
    ASSERT_EQ(object.vertexCount, 1);
    expectVec(object.vertices[0], 1, 3, -2);
}

TEST(Reader3DS, FlatSquareGetsUpwardNormalsAndItsTexCoords) {
    Bytes uv;
    putU16(uv, 4);
    for (float f : {0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f, 1.f}) putF32(uv, f);
    const SceneData3DS scene = readBytes(
        file3ds({object3ds("Square", {vertexList3ds({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}),
                                      chunk3ds(0x4140, uv), faceList3ds({0, 1, 2, 0, 2, 3})})}));
    const Object3DS& object = scene.objects[0];
    ASSERT_EQ(object.faceCount, 2);
    EXPECT_EQ(object.faces[1].vertexIndex[2], 3);
    ASSERT_EQ(object.normals.size(), 4u);
    for (const Vec3& n : object.normals) expectVec(n, 0, 1, 0);
    ASSERT_EQ(object.texCoordCount, 4);
    EXPECT_FLOAT_EQ(object.texCoords[2].u, 1.0f);
    EXPECT_FLOAT_EQ(object.texCoords[3].v, 1.0f);
    EXPECT_EQ(object.materialIndex, 0);  // no material group: index 0, untextured
    EXPECT_FALSE(object.textured);
}

TEST(Reader3DS, NormalsWeighFacesByAreaAndCountARepeatedCornerOnce) {
    // Vertex 0 is shared by a large face facing +y (game axes) and a small
    // face facing +x; the third face names vertex 0 twice and has no area.
    const SceneData3DS scene = readBytes(file3ds(
        {object3ds("Bent", {vertexList3ds({0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 5, 5, 5, 0, 1, 0}),
                            faceList3ds({0, 1, 2, 0, 5, 3, 0, 0, 1})})}));
    const Object3DS& object = scene.objects[0];
    // Face vectors in game axes: (0, 4, 0) and (1, 0, 0).
    const float length = std::sqrt(17.0f);
    expectVec(object.normals[0], 1 / length, 4 / length, 0);
    expectVec(object.normals[1], 0, 1, 0);
    expectVec(object.normals[3], 1, 0, 0);
    // Vertex 4 is used by no face.
    expectVec(object.normals[4], 0, 1, 0);
}

TEST(Reader3DS, MaterialGroupsMatchByName) {
    const Bytes plain = material3ds("Plain", 10, 20, 30);
    const Bytes skin = material3ds("Skin", 1, 2, 3, "skin.bmp");
    const Bytes other = material3ds("Other", 4, 5, 6, "other.bmp");
    {
        // Read before any material: nothing changes.
        const auto scene =
            readBytes(file3ds({squareObject("A", {materialGroup3ds("Skin")}), skin}));
        EXPECT_EQ(scene.objects[0].materialIndex, 0);
        EXPECT_FALSE(scene.objects[0].textured);
    }
    {
        // Names a material read only later, while another was read before.
        const auto scene =
            readBytes(file3ds({plain, squareObject("A", {materialGroup3ds("Skin")}), skin}));
        EXPECT_EQ(scene.objects[0].materialIndex, -1);
    }
    {
        // Names material 2, which has no texture, after two other names.
        const auto scene = readBytes(file3ds({skin, other, material3ds("Third", 7, 8, 9),
                                              squareObject("A", {materialGroup3ds("Third")})}));
        EXPECT_EQ(scene.objects[0].materialIndex, -1);
        EXPECT_FALSE(scene.objects[0].textured);
        EXPECT_STREQ(scene.materials[2].name, "Third");
        EXPECT_EQ(scene.materials[2].colour[2], 9);
        EXPECT_STREQ(scene.materials[0].textureFileName, "skin.bmp");
    }
    {
        // A textured match sticks; later groups naming other materials keep it.
        const auto scene = readBytes(
            file3ds({plain, skin, other,
                     squareObject("A", {materialGroup3ds("Skin"), materialGroup3ds("Plain"),
                                        materialGroup3ds("Nothing")})}));
        EXPECT_EQ(scene.objects[0].materialIndex, 1);
        EXPECT_TRUE(scene.objects[0].textured);
    }
    {
        // With several textured groups the last one wins.
        const auto scene = readBytes(
            file3ds({plain, skin, other,
                     squareObject("A", {materialGroup3ds("Skin"), materialGroup3ds("Other")})}));
        EXPECT_EQ(scene.objects[0].materialIndex, 2);
    }
}

TEST(Reader3DS, WalkStaysInStepPastGroupsAndExtraChunks) {
    Bytes smoothing;
    putU32(smoothing, 1);
    putU32(smoothing, 1);
    Bytes keyframes(40, 0xEE);
    // The colour chunk carries a second colour sub-chunk, met as a sibling.
    Bytes materialBody = chunk3ds(0xA000, text3ds("Skin"));
    append(materialBody,
           chunk3ds(0xA020, {}, {chunk3ds(0x0011, {200, 100, 50}), chunk3ds(0x0012, {1, 2, 3})}));
    append(materialBody, chunk3ds(0xA200, {}, {chunk3ds(0xA300, text3ds("skin.bmp"))}));
    append(materialBody, chunk3ds(0xA204, {}, {chunk3ds(0xA300, text3ds("shiny.bmp"))}));
    const Bytes file = chunk3ds(
        0x4D4D, {},
        {chunk3ds(0x0002, {3, 0, 0, 0}), chunk3ds(0xB000, keyframes),
         chunk3ds(0x3D3D, {},
                  {chunk3ds(0x3D3E, {3, 0, 0, 0}), chunk3ds(0xAFFF, materialBody),
                   squareObject("First", {materialGroup3ds("Skin"), chunk3ds(0x4150, smoothing)}),
                   squareObject("Second")}),
         chunk3ds(0xB000, keyframes)});
    MessageCapture capture;
    const auto scene = readBytes(file);
    EXPECT_TRUE(capture.messages().empty()) << texts(capture)[0];
    ASSERT_EQ(scene.materialCount, 1);
    EXPECT_EQ(scene.materials[0].colour[0], 200);
    EXPECT_EQ(scene.materials[0].colour[2], 50);
    EXPECT_STREQ(scene.materials[0].textureFileName, "skin.bmp");  // other maps are skipped
    ASSERT_EQ(scene.objectCount, 2);
    EXPECT_TRUE(scene.objects[0].textured);
    EXPECT_STREQ(scene.objects[1].name, "Second");
    EXPECT_EQ(scene.objects[1].faceCount, 2);
    EXPECT_FALSE(scene.objects[1].textured);
}

TEST(Reader3DS, FirstSubChunkOfMeshDataIsSkippedWhateverItIs) {
    const Bytes file = chunk3ds(
        0x4D4D, {},
        {chunk3ds(0x3D3D, {}, {material3ds("Lost", 1, 1, 1), material3ds("Kept", 2, 2, 2)})});
    const auto scene = readBytes(file);
    ASSERT_EQ(scene.materialCount, 1);
    EXPECT_STREQ(scene.materials[0].name, "Kept");
}

TEST(Reader3DS, VersionAboveThreeWarnsOnce) {
    MessageCapture capture;
    readBytes(file3ds({squareObject("A")}));
    EXPECT_TRUE(capture.messages().empty());
    Bytes four = {4, 0, 0, 0};
    readBytes(chunk3ds(0x4D4D, {}, {chunk3ds(0x0002, four), chunk3ds(0x0002, four)}));
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(texts(capture)[0],
              "Warning: This 3DS file is over version 3 so it may load incorrectly");
}

TEST(Reader3DS, UnreadableFilesLeaveTheSceneUntouched) {
    MessageCapture capture;
    SceneData3DS scene;
    Reader3DS reader;
    EXPECT_FALSE(reader.read(scene, "no/such/model.3ds"));
    Bytes notAModel = chunk3ds(0x4D4C, {}, {squareObject("A")});
    EXPECT_FALSE(reader.readFromMemory(scene, notAModel.data(), notAModel.size(), "x.3ds"));
    EXPECT_FALSE(reader.readFromMemory(scene, notAModel.data(), 3, "tiny.3ds"));
    EXPECT_EQ(scene.objectCount, 0);
    EXPECT_TRUE(scene.objects.empty());
    EXPECT_EQ(texts(capture), (std::vector<std::string>{
                                  "Error: Unable to find the file: no/such/model.3ds!",
                                  "Error: Unable to load PRIMARY chuck from file: x.3ds!",
                                  "Error: Unable to load PRIMARY chuck from file: tiny.3ds!"}));
}

TEST(Reader3DS, ReadAppendsToTheSceneAndClosesTheFile) {
    const std::string path = writeTestFile("reader3ds_append.3ds", file3ds({squareObject("A")}));
    SceneData3DS scene;
    Reader3DS reader;
    ASSERT_TRUE(reader.read(scene, path.c_str()));
    ASSERT_TRUE(reader.read(scene, path.c_str()));
    EXPECT_EQ(reader.file, nullptr);
    EXPECT_EQ(scene.objectCount, 2);
    std::remove(path.c_str());
}

TEST(Reader3DS, FilesCutShortKeepWhatWasReadAndReportOnce) {
    const Bytes full =
        file3ds({material3ds("Skin", 1, 2, 3, "skin.bmp"), squareObject("A"), squareObject("B")});
    // Every cut point must read without crashing and report damage once.
    for (std::size_t cut = 6; cut < full.size(); ++cut) {
        MessageCapture capture;
        const auto scene = readBytes(Bytes(full.begin(), full.begin() + long(cut)));
        ASSERT_EQ(capture.messages().size(), 1u) << "cut at " << cut;
        EXPECT_EQ(texts(capture)[0], "Error: Damaged 3DS file: test.3ds!");
        for (const Object3DS& o : scene.objects) {
            EXPECT_EQ(o.normals.size(), o.vertices.size());
            for (const Face3DS& f : o.faces) {
                for (int i : f.vertexIndex) EXPECT_LT(i, o.vertexCount);
            }
        }
    }
    // Cut inside the second object's face list: the first object is whole.
    MessageCapture capture;
    const auto scene = readBytes(Bytes(full.begin(), full.end() - 8));
    ASSERT_EQ(scene.objectCount, 2);
    EXPECT_EQ(scene.objects[0].faceCount, 2);
    EXPECT_EQ(scene.objects[1].vertexCount, 4);
    EXPECT_EQ(scene.objects[1].faceCount, 1);
}

TEST(Reader3DS, BadLengthsAreClampedToTheParent) {
    MessageCapture capture;
    Bytes tooShort = file3ds({squareObject("A")});
    // Make the version chunk claim a length of 2: the walk takes it as 6 bytes
    // and goes on with what follows the version number.
    tooShort[8] = 2;
    readBytes(tooShort);
    EXPECT_EQ(capture.messages().size(), 1u);

    // A vertex list longer than its object is cut at the object's end.
    capture.clear();
    Bytes tooLong = file3ds({squareObject("A")});
    const Bytes vertexHeader = {0x10, 0x41};
    auto at = std::search(tooLong.begin(), tooLong.end(), vertexHeader.begin(), vertexHeader.end());
    ASSERT_NE(at, tooLong.end());
    at[2] = 0xFF;
    at[3] = 0xFF;
    const auto b = readBytes(tooLong);
    ASSERT_EQ(b.objectCount, 1);
    EXPECT_EQ(b.objects[0].vertexCount, 4);
    EXPECT_EQ(capture.messages().size(), 1u);
}

TEST(Reader3DS, CountsBeyondThePayloadReadWhatIsThere) {
    MessageCapture capture;
    Bytes vertices;
    putU16(vertices, 500);
    for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) putF32(vertices, f);
    Bytes faces;
    putU16(faces, 9);
    for (int i : {0, 1, 2, 0, 2, 1, 7, 0}) putU16(faces, std::uint32_t(i));  // second face: index 7
    const auto scene =
        readBytes(file3ds({object3ds("A", {chunk3ds(0x4110, vertices), chunk3ds(0x4120, faces)})}));
    const Object3DS& object = scene.objects[0];
    EXPECT_EQ(object.vertexCount, 3);
    EXPECT_EQ(object.faceCount, 1);  // the face naming vertex 7 is dropped
    EXPECT_EQ(capture.messages().size(), 1u);
}

TEST(Reader3DS, LongNamesAreTruncatedWithTheirTerminator) {
    const std::string longName(400, 'n');
    Bytes material = chunk3ds(0xA000, text3ds(longName));
    append(material, chunk3ds(0xA200, {}, {chunk3ds(0xA300, text3ds(longName))}));
    const auto scene = readBytes(file3ds({chunk3ds(0xAFFF, material), squareObject(longName)}));
    EXPECT_EQ(std::string(scene.materials[0].name), std::string(254, 'n'));
    EXPECT_EQ(std::string(scene.materials[0].textureFileName), std::string(254, 'n'));
    EXPECT_EQ(std::string(scene.objects[0].name), std::string(254, 'n'));
    EXPECT_EQ(scene.objects[0].faceCount, 2);  // the walk went on in step
}

TEST(Reader3DS, DeepNestingIsPassedOverWithoutExhaustingTheStack) {
    MessageCapture capture;
    Bytes nested = chunk3ds(0x4100, {});
    for (int i = 0; i < 2000; ++i) nested = chunk3ds(0x4100, {}, {nested});
    const auto scene = readBytes(file3ds({chunk3ds(0x4000, text3ds("Deep"), {nested})}));
    EXPECT_EQ(scene.objectCount, 1);
    EXPECT_EQ(capture.messages().size(), 1u);
}

TEST(Reader3DS, EveryModelOfTheGameFolderReadsCleanly) {
    MessageCapture capture;
    int models = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BRAKKON_ASSET_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".3ds" && ext != ".3DS") continue;
        ++models;
        SceneData3DS scene;
        Reader3DS reader;
        EXPECT_TRUE(reader.read(scene, entry.path().c_str())) << entry.path();
        EXPECT_GT(scene.objectCount, 0) << entry.path();
        for (const Object3DS& object : scene.objects) {
            for (const Vec3& n : object.normals) {
                EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-4) << entry.path();
            }
        }
    }
    EXPECT_GT(models, 0);
    EXPECT_TRUE(capture.messages().empty()) << capture.messages()[0].text;
}
