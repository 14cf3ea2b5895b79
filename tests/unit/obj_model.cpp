#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "assets/obj_model.h"
#include "support/asset_bytes.h"
#include "support/message_capture.h"

namespace {

const char* const kFourVertices = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

bool loadText(ObjModel& model, const std::string& text) {
    return model.loadFromText(text.data(), text.size(), "test.obj");
}

std::vector<int> slots(const std::int32_t (&group)[4]) {
    return {group[0], group[1], group[2], group[3]};
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

}  // namespace

TEST(ObjModel, CornerFormsFillTheirSlots) {
    ObjModel model;
    const std::string lists = repeat("v 0 0 0\n", 9) + repeat("vn 0 0 1\n", 9) + repeat("vt 0 0\n", 9);
    ASSERT_TRUE(loadText(model, lists + "f 1/2/3 4/5/6 7/8/9\n"));
    ASSERT_EQ(model.faceCount, 1);
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 3, 6, 0}));
    EXPECT_EQ(slots(model.triangles[0].normalIndex), (std::vector<int>{2, 5, 8, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{1, 4, 7, 0}));

    ASSERT_TRUE(loadText(model, lists + "f 1//2 3//4 5//6\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 2, 4, 0}));
    EXPECT_EQ(slots(model.triangles[0].normalIndex), (std::vector<int>{1, 3, 5, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{0, 0, 0, 0}));

    ASSERT_TRUE(loadText(model, lists + "f 2/3 4/5 6/7\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{1, 3, 5, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{2, 4, 6, 0}));
    EXPECT_EQ(slots(model.triangles[0].normalIndex), (std::vector<int>{0, 0, 0, 0}));

    // "%i" reads octal and hexadecimal too.
    ASSERT_TRUE(loadText(model, lists + "f 010 0x2 3\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{7, 1, 2, 0}));
}

TEST(ObjModel, ALineStaysWithTheFormThatFitted) {
    ObjModel model;
    const std::string lists = repeat("v 0 0 0\n", 9) + repeat("vn 0 0 1\n", 9) + repeat("vt 0 0\n", 9);
    // Later vertex//normal corners are read in that form after a full first corner.
    ASSERT_TRUE(loadText(model, lists + "f 1/2/3 4//5 6//7\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 3, 5, 0}));
    EXPECT_EQ(slots(model.triangles[0].normalIndex), (std::vector<int>{2, 4, 6, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{1, 0, 0, 0}));
    // Once on vertex//normal, a full corner only fits as vertex/texture and the
    // line never goes back to the full form.
    ASSERT_TRUE(loadText(model, lists + "f 1//2 3/4/5 6/7/8\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 2, 5, 0}));
    EXPECT_EQ(slots(model.triangles[0].normalIndex), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{0, 3, 6, 0}));
}

TEST(ObjModel, QuadsSplitAndShortLinesStillMakeATriangle) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) + "f 1 2 3 4\nf 2 3\n"));
    ASSERT_EQ(model.faceCount, 3);
    ASSERT_EQ(model.triangles.size(), 3u);
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{0, 2, 3, 0}));
    EXPECT_EQ(slots(model.triangles[2].vertexIndex), (std::vector<int>{1, 2, 0, 0}));
}

TEST(ObjModel, TwoSpacesReadACornerTwice) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) + "f 1  2 3\n"));
    ASSERT_EQ(model.faceCount, 2);  // corners 1, 2, 2, 3: a quad
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 1, 1, 2}));
    EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{0, 1, 2, 0}));
}

TEST(ObjModel, FacetsGroupFlipsWindingWithOrWithoutCarriageReturns) {
    for (const char* eol : {"\n", "\r\n"}) {
        SCOPED_TRACE(eol[0] == '\r' ? "CRLF" : "LF");
        ObjModel model;
        std::string text;
        for (const char* line : {"v 0 0 0", "v 1 0 0", "v 1 1 0", "v 0 1 0", "g Facets_8",
                                 "f 1 2 3 4", "g Facets_9", "f 1 2 3"}) {
            text += std::string(line) + eol;
        }
        ASSERT_TRUE(loadText(model, text));
        ASSERT_EQ(model.faceCount, 3);
        EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{1, 0, 2, 3}));
        EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{2, 0, 3, 0}));
        EXPECT_EQ(slots(model.triangles[2].vertexIndex), (std::vector<int>{0, 1, 2, 0}));
    }
    // Only the exact rest "Facets_8\n" turns the flip on.
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) +
                                    "g Facets_8\nf 1 2 3\ng Facets_8 \nf 1 2 3\n"));
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{1, 0, 2, 0}));
    EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{0, 1, 2, 0}));
}

TEST(ObjModel, BoundingBoxIsEnlargedByATenthOfEachBound) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, "v -2 1 0\nv 3 0.5 4\nv 0 2 -10\n"));
    EXPECT_FLOAT_EQ(model.boundingBox[0], 3.3f);
    EXPECT_FLOAT_EQ(model.boundingBox[1], -2.2f);
    EXPECT_FLOAT_EQ(model.boundingBox[2], 2.2f);
    EXPECT_FLOAT_EQ(model.boundingBox[3], 0.45f);  // a positive minimum moves toward 0
    EXPECT_FLOAT_EQ(model.boundingBox[4], 4.4f);
    EXPECT_FLOAT_EQ(model.boundingBox[5], -11.0f);
    // The first vertex sets both bounds, whatever they were before.
    ObjModel single;
    ASSERT_TRUE(loadText(single, "v 5 5 5\n"));
    EXPECT_FLOAT_EQ(single.boundingBox[1], 4.5f);
    EXPECT_FLOAT_EQ(single.boundingBox[4], 5.5f);
}

TEST(ObjModel, ListsAndCountsFollowTheFile) {
    ObjModel model;
    ASSERT_TRUE(loadText(model,
                         "# comment\nvn 0 0 1\nvt 0.25 0.75\nv 1 2 3\nvt 1\nusemtl x\ns 1\n"
                         "o obj\nv 4 5 bad\nvx 9 9 9\nf 1 2 1\n"));
    EXPECT_EQ(model.vertexCount, 2);
    EXPECT_EQ(model.normalCount, 1);
    EXPECT_EQ(model.texCoordCount, 2);
    EXPECT_EQ(model.faceCount, 1);
    EXPECT_EQ(model.vertices, (std::vector<float>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(model.texCoords, (std::vector<float>{0.25f, 0.75f, 0, 1, 0, 0}));
    EXPECT_EQ(model.normals, (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(model.status, Ok);
}

TEST(ObjModel, LongLinesAreReadInPiecesOf79Characters) {
    ObjModel model;
    // 77 digits after "v " fill the first piece; the rest "v 7 8 9" is a line of its own.
    ASSERT_TRUE(loadText(model, "v " + std::string(77, '1') + "v 7 8 9\n"));
    EXPECT_EQ(model.vertexCount, 2);
    EXPECT_FLOAT_EQ(model.vertices[3], 7.0f);
    EXPECT_FLOAT_EQ(model.vertices[5], 9.0f);
}

TEST(ObjModel, StatusIsStickyAndMissingFilesAreSilent) {
    MessageCapture capture;
    ObjModel model;
    EXPECT_FALSE(model.load("no/such/model.obj"));
    EXPECT_EQ(model.status, FileNotFound);
    EXPECT_FLOAT_EQ(model.boundingBox[4], -3000.0f);
    EXPECT_TRUE(capture.messages().empty());
    EXPECT_TRUE(loadText(model, kFourVertices));
    EXPECT_EQ(model.status, FileNotFound);

    // A "v" line too short for the first pass to count is still parsed, so the
    // counts disagree; the extra vertex is not stored.
    ObjModel mismatch;
    EXPECT_FALSE(loadText(mismatch, "v 1 2 3\nv "));
    EXPECT_EQ(mismatch.status, CountMismatch);
    EXPECT_EQ(mismatch.vertices.size(), 3u);
}

TEST(ObjModel, FileLoadMatchesTextLoad) {
    const std::string path = writeTestFile(
        "obj_model_file.obj", Bytes{'v', ' ', '1', ' ', '2', ' ', '3', '\r', '\n'});
    ObjModel model;
    ASSERT_TRUE(model.load(path.c_str()));
    EXPECT_EQ(model.vertices, (std::vector<float>{1, 2, 3}));
    std::remove(path.c_str());
}

TEST(ObjModel, NegativeIndicesCountBackFromTheLastEntryRead) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, "v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvn 0 0 1\n"
                                "f -3/-1/-1 -2/-1/-1 -1/-1/-1\nv 0 1 0\nf -1 1 2\n"));
    ASSERT_EQ(model.faceCount, 2);
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(slots(model.triangles[0].texCoordIndex), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{3, 0, 1, 0}));
}

TEST(ObjModel, FacesNamingMissingEntriesAreDroppedAndReportedOnce) {
    MessageCapture capture;
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) +
                                    "vn 0 0 1\n"
                                    "f 1 2 5\n"          // vertex past the list
                                    "f 1 2 3\n"          // fine
                                    "f -5 1 2\n"         // before the start
                                    "f 0 1 2\n"          // 0 names nothing
                                    "f 1//1 2//2 3//1\n"  // normal past the list
                                    "f 1 2 99999999999\n"));
    EXPECT_EQ(model.faceCount, 1);
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 1, 2, 0}));
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0].title, "Error");
    EXPECT_EQ(capture.messages()[0].text, "Damaged OBJ file test.obj: some faces were dropped.");
    // Read again, as each of the menu's wreckage pieces reads its model: not reported again.
    ObjModel again;
    ASSERT_TRUE(loadText(again, std::string(kFourVertices) + "f 1 2 5\n"));
    EXPECT_EQ(again.faceCount, 0);
    EXPECT_EQ(capture.messages().size(), 1u);

    // Faces without vertices at all are dropped too.
    ObjModel empty;
    ASSERT_TRUE(loadText(empty, "f 1 2 3\n"));
    EXPECT_EQ(empty.faceCount, 0);
}

TEST(ObjModel, MoreThanFourCornersMakeAFan) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) + "v -1 1 0\nf 1 2 3 4 5\n"));
    ASSERT_EQ(model.faceCount, 3);
    EXPECT_EQ(slots(model.triangles[0].vertexIndex), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(slots(model.triangles[1].vertexIndex), (std::vector<int>{0, 2, 3, 0}));
    EXPECT_EQ(slots(model.triangles[2].vertexIndex), (std::vector<int>{0, 3, 4, 0}));
}

TEST(ObjModel, ReloadingReplacesTheLists) {
    ObjModel model;
    ASSERT_TRUE(loadText(model, std::string(kFourVertices) + "vn 0 0 1\nf 1 2 3\n"));
    ASSERT_TRUE(loadText(model, "v 1 1 1\n"));
    EXPECT_EQ(model.vertices.size(), 3u);
    EXPECT_TRUE(model.normals.empty());
    EXPECT_TRUE(model.triangles.empty());
    EXPECT_EQ(model.faceCount, 0);
}

TEST(ObjModel, EveryModelOfTheGameFolderLoadsWhole) {
    MessageCapture capture;
    int models = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BRAKKON_ASSET_DIR)) {
        if (entry.path().extension() != ".obj") continue;
        ++models;
        ObjModel model;
        EXPECT_TRUE(model.load(entry.path().c_str())) << entry.path();
        EXPECT_EQ(model.status, Ok) << entry.path();
        EXPECT_GT(model.faceCount, 0) << entry.path();
    }
    EXPECT_GT(models, 0);
    EXPECT_TRUE(capture.messages().empty());
}
