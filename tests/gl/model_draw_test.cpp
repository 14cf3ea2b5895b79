#include <GL/glu.h>
#include <gtest/gtest.h>

#include "assets/model_3ds.h"
#include "assets/obj_model.h"
#include "support/asset_bytes.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

namespace {

constexpr int kSize = 64;

// Looks at the game's x-y plane with x right and y up, [-1, 1] on both.
void prepareView() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

void expectPixel(int x, int y, int r, int g, int b) {
    const PixelRgb p = readPixel(x, y);
    EXPECT_EQ(p.r, r) << "at " << x << "," << y;
    EXPECT_EQ(p.g, g) << "at " << x << "," << y;
    EXPECT_EQ(p.b, b) << "at " << x << "," << y;
}

// A square over the lower half of the view: file z is the game's y, so the
// file's x-z plane becomes the game's x-y plane.
Bytes lowerHalfObject(const std::string& name, std::initializer_list<Bytes> faceChildren,
                      bool withTexCoords = true) {
    Bytes uv;
    putU16(uv, 4);
    for (float f : {0.f, 0.f, 1.f, 0.f, 1.f, 1.f, 0.f, 1.f}) putF32(uv, f);
    Bytes vertices = vertexList3ds({-1, 0, -1, 1, 0, -1, 1, 0, 0, -1, 0, 0});
    if (withTexCoords) {
        return object3ds(
            name, {vertices, chunk3ds(0x4140, uv), faceList3ds({0, 1, 2, 0, 2, 3}, faceChildren)});
    }
    return object3ds(name, {vertices, faceList3ds({0, 1, 2, 0, 2, 3}, faceChildren)});
}

// The same square over the upper half.
Bytes upperHalfObject(const std::string& name, std::initializer_list<Bytes> faceChildren) {
    return object3ds(name, {vertexList3ds({-1, 0, 0, 1, 0, 0, 1, 0, 1, -1, 0, 1}),
                            faceList3ds({0, 1, 2, 0, 2, 3}, faceChildren)});
}

std::string writeSolidPicture(const std::string& name, std::uint8_t r, std::uint8_t g,
                              std::uint8_t b) {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.pixelData = {b, g, r, b, g, r, 0, 0, b, g, r, b, g, r, 0, 0};
    return writeTestFile(name, makeBmp(s));
}

}  // namespace

TEST(Model3DSDraw, UntexturedObjectsUseMaterialColourOrWhite) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    // The lower object has no group: material 0's colour. The upper one's group
    // names another material, so its index is -1: white.
    const Bytes file =
        file3ds({material3ds("Paint", 200, 100, 50), material3ds("Bare", 1, 2, 3),
                 lowerHalfObject("Low", {}), upperHalfObject("High", {materialGroup3ds("Bare")})});
    const std::string path = writeTestFile("model_untextured.3ds", file);
    Model3DS model;
    model.load(path.c_str());
    EXPECT_NE(model.displayList, 0u);
    EXPECT_EQ(model.textures[0], 0u);
    EXPECT_EQ(model.textures[1], 0u);
    glEnable(GL_TEXTURE_2D);
    prepareView();
    model.draw();
    glFinish();
    expectPixel(kSize / 2, kSize / 4, 200, 100, 50);
    expectPixel(kSize / 2, 3 * kSize / 4, 255, 255, 255);
    // Texturing was switched off by the list and stays off.
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    std::remove(path.c_str());
}

TEST(Model3DSDraw, TexturedMaterialLoadsOneTextureIntoItsSlot) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    const std::string picture = writeSolidPicture("model_skin.bmp", 10, 200, 30);
    const Bytes file =
        file3ds({material3ds("Plain", 90, 90, 90), material3ds("Skin", 1, 2, 3, picture),
                 lowerHalfObject("Low", {materialGroup3ds("Skin")})});
    const std::string path = writeTestFile("model_textured.3ds", file);
    Model3DS model;
    model.load(path.c_str());
    EXPECT_EQ(model.textures[0], 0u);
    ASSERT_NE(model.textures[1], 0u);
    EXPECT_TRUE(glIsTexture(model.textures[1]));
    for (int i = 2; i < 100; ++i) EXPECT_EQ(model.textures[i], 0u);
    ASSERT_TRUE(model.scene.objects[0].textured);
    prepareView();
    model.draw();
    glFinish();
    expectPixel(kSize / 2, kSize / 4, 10, 200, 30);
    expectPixel(kSize / 2, 3 * kSize / 4, 0, 0, 0);  // nothing drawn above
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    std::remove(path.c_str());
    std::remove(picture.c_str());
}

TEST(Model3DSDraw, MaterialsPastTheTextureTableGetNoTexture) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    MessageCapture capture;
    const std::string picture = writeSolidPicture("model_many.bmp", 0, 0, 255);
    Bytes mesh = chunk3ds(0x3D3E, {3, 0, 0, 0});
    for (int i = 0; i <= 100; ++i) {
        append(mesh, material3ds("M" + std::to_string(i), 1, 1, 1, picture));
    }
    append(mesh, lowerHalfObject("Last", {materialGroup3ds("M100")}));
    const Bytes file = chunk3ds(0x4D4D, {}, {chunk3ds(0x3D3D, mesh)});
    const std::string path = writeTestFile("model_many.3ds", file);
    Model3DS model;
    model.load(path.c_str());
    EXPECT_EQ(model.scene.materialCount, 101);
    EXPECT_NE(model.textures[99], 0u);
    EXPECT_EQ(model.scene.objects[0].materialIndex, 100);
    prepareView();
    model.draw();  // binds no texture for the material without a slot
    glFinish();
    EXPECT_TRUE(capture.messages().empty());
    std::remove(path.c_str());
    std::remove(picture.c_str());
}

TEST(Model3DSDraw, MissingModelCompilesAnEmptyList) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    MessageCapture capture;
    Model3DS model;
    model.load("no/such/model.3ds");
    EXPECT_NE(model.displayList, 0u);
    EXPECT_EQ(model.scene.objectCount, 0);
    prepareView();
    model.draw();
    glFinish();
    expectPixel(kSize / 2, kSize / 2, 0, 0, 0);
    ASSERT_EQ(capture.messages().size(), 1u);
}

TEST(ObjModelDraw, TrianglesAreDrawnOnlyWhileTheStatusIsOk) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    const std::string text =
        "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nvn 0 0 1\nf 1//1 2//1 3//1 4//1\n";
    ObjModel model;
    ASSERT_TRUE(model.loadFromText(text.data(), text.size(), "quad.obj"));
    prepareView();
    glColor3ub(0, 128, 255);
    model.draw();
    glFinish();
    expectPixel(2, 2, 0, 128, 255);
    expectPixel(kSize - 3, kSize - 3, 0, 128, 255);

    model.status = ObjStatus::CountMismatch;
    prepareView();
    model.draw();
    glFinish();
    expectPixel(kSize / 2, kSize / 2, 0, 0, 0);
}
