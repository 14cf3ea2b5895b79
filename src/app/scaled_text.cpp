#include "app/scaled_text.h"

#include <GL/freeglut.h>

#include <array>
#include <vector>

namespace {

// Each glyph is read from a box with the raster position inside it at
// (kOriginX, kOriginY), wide and tall enough for any glyph of the font.
constexpr int kBoxW = 24, kBoxH = 32, kOriginX = 8, kOriginY = 10;
constexpr int kAdvance = 8, kLineHeight = 13;
constexpr int kFirst = 32, kLast = 126;

using GlyphPixels = std::array<unsigned char, kBoxW * kBoxH>;  // rows from the bottom
std::vector<GlyphPixels> glyphs;

// Draws every glyph at the window's lower left corner and reads it back,
// then puts back what the frame had there.
void readGlyphs() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_FOG, GL_ALPHA_TEST})
        glDisable(cap);
    glViewport(0, 0, kBoxW, kBoxH);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kBoxW, 0, kBoxH, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    std::vector<unsigned char> saved(kBoxW * kBoxH * 3);
    glReadPixels(0, 0, kBoxW, kBoxH, GL_RGB, GL_UNSIGNED_BYTE, saved.data());
    glScissor(0, 0, kBoxW, kBoxH);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glyphs.assign(kLast - kFirst + 1, {});
    for (int c = kFirst; c <= kLast; ++c) {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(kOriginX, kOriginY);
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, c);
        glReadPixels(0, 0, kBoxW, kBoxH, GL_RED, GL_UNSIGNED_BYTE, glyphs[c - kFirst].data());
    }
    glRasterPos2i(0, 0);
    glDrawPixels(kBoxW, kBoxH, GL_RGB, GL_UNSIGNED_BYTE, saved.data());

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();
}

// The glyphs as bitmaps of the given scale, packed as glBitmap takes them.
struct ScaledGlyphs {
    int scale = 0;
    int rowBytes = 0;
    std::vector<std::vector<GLubyte>> bits;
};
ScaledGlyphs scaled;

void scaleGlyphs(int scale) {
    if (glyphs.empty()) readGlyphs();
    scaled.scale = scale;
    scaled.rowBytes = (kBoxW * scale + 7) / 8;
    scaled.bits.assign(glyphs.size(), {});
    for (std::size_t g = 0; g < glyphs.size(); ++g) {
        std::vector<GLubyte>& out = scaled.bits[g];
        out.assign(static_cast<std::size_t>(scaled.rowBytes) * kBoxH * scale, 0);
        for (int row = 0; row < kBoxH * scale; ++row) {
            for (int col = 0; col < kBoxW * scale; ++col) {
                if (glyphs[g][(row / scale) * kBoxW + col / scale] < 128) continue;
                out[row * scaled.rowBytes + col / 8] |= static_cast<GLubyte>(0x80 >> (col % 8));
            }
        }
    }
}

}  // namespace

void drawScaledText(const char* text, int x, int y, int scale) {
    if (scale < 1) scale = 1;
    if (scaled.scale != scale) scaleGlyphs(scale);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            y += kLineHeight * scale;
            glRasterPos2i(0, y);
            continue;
        }
        const int g = static_cast<unsigned char>(*c) - kFirst;
        if (g < 0 || g > kLast - kFirst) {
            glBitmap(0, 0, 0, 0, static_cast<GLfloat>(kAdvance * scale), 0, nullptr);
            continue;
        }
        glBitmap(kBoxW * scale, kBoxH * scale, static_cast<GLfloat>(kOriginX * scale),
                 static_cast<GLfloat>(kOriginY * scale), static_cast<GLfloat>(kAdvance * scale), 0,
                 scaled.bits[g].data());
    }
    glPopClientAttrib();
}
