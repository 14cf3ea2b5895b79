#include "assets/texture_loader.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "support/asset_bytes.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

namespace {

constexpr int kSize = 64;

// Draws the bound texture over the whole window, texture (0,0) at the lower left.
void drawFullWindowQuad() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 1, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
    glClear(GL_COLOR_BUFFER_BIT);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(0, 1);
    glEnd();
    glFinish();
}

void expectPixel(int x, int y, int r, int g, int b) {
    const PixelRgb p = readPixel(x, y);
    EXPECT_EQ(p.r, r) << "at " << x << "," << y;
    EXPECT_EQ(p.g, g) << "at " << x << "," << y;
    EXPECT_EQ(p.b, b) << "at " << x << "," << y;
}

}  // namespace

TEST(TextureLoader, PictureLandsUprightAndRowsNeedNoAlignment) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    // Bottom row red, green; top row blue, white (stored blue, green, red).
    s.pixelData = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    const std::string path = writeTestFile("texture_upright.bmp", makeBmp(s));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    TextureLoader loader;
    loader.load(path.c_str());
    EXPECT_NE(loader.textureName(), 0u);
    EXPECT_EQ(loader.width, 2);
    EXPECT_EQ(loader.height, 2);
    EXPECT_EQ(loader.image, nullptr);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);

    loader.bind();
    // Sharp texels for reading back; the loader itself leaves the defaults.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    drawFullWindowQuad();
    expectPixel(0, 0, 255, 0, 0);
    expectPixel(kSize - 1, 0, 0, 255, 0);
    expectPixel(0, kSize - 1, 0, 0, 255);
    expectPixel(kSize - 1, kSize - 1, 255, 255, 255);
    std::remove(path.c_str());
}

TEST(TextureLoader, OddSizedPictureGetsAFullMipmapChain) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    BmpSpec s;
    s.width = 3;
    s.height = 5;
    for (int row = 0; row < 5; ++row) {
        append(s.pixelData, {40, 80, 120, 40, 80, 120, 40, 80, 120, 0, 0, 0});
    }
    const std::string path = writeTestFile("texture_odd.bmp", makeBmp(s));
    TextureLoader loader;
    loader.load(path.c_str());
    loader.bind();
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(w & (w - 1), 0);
    EXPECT_EQ(h & (h - 1), 0);
    int level = 0;
    while (w > 1 || h > 1) {
        ++level;
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    GLint lastW = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &lastW);
    EXPECT_EQ(lastW, 1);
    // The default minifying filter uses the mipmaps, so the texture is complete.
    drawFullWindowQuad();
    expectPixel(kSize / 2, kSize / 2, 120, 80, 40);
    std::remove(path.c_str());
}

TEST(TextureLoader, MissingPictureStillGeneratesAndBindsAName) {
    REQUIRE_GL_WINDOW(kSize, kSize);
    MessageCapture capture;
    TextureLoader loader;
    loader.load("no/such/texture.bmp");
    EXPECT_NE(loader.textureName(), 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), loader.textureName());
    EXPECT_EQ(loader.image, nullptr);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0].text, "Failed to open DIB file no/such/texture.bmp.\n");

    // Loading again generates a second name.
    const unsigned first = loader.textureName();
    loader.load("no/such/texture.bmp");
    EXPECT_NE(loader.textureName(), first);
}
