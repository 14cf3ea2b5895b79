#include "app/render_scale.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/display_options.h"
#include "app/globals.h"

namespace {
GLuint sceneTexture = 0;
int textureWidth = 0, textureHeight = 0;

bool scaling() {
    return displayOptions.renderScalePercent != 100 && windowWidth > 0 && windowHeight > 0;
}

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

// A texture at least w x h (sides a power of two, so any OpenGL takes it).
void prepareTexture(int w, int h) {
    if (sceneTexture == 0) glGenTextures(1, &sceneTexture);
    glBindTexture(GL_TEXTURE_2D, sceneTexture);
    // One texel to spare on each side: the scene's last column and row are
    // copied there too, so filtering at the picture's edge never reads
    // beyond it.
    const int wantW = powerOfTwoAtLeast(w + 1), wantH = powerOfTwoAtLeast(h + 1);
    if (wantW == textureWidth && wantH == textureHeight) return;
    textureWidth = wantW;
    textureHeight = wantH;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, textureWidth, textureHeight, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void copySceneToTexture(int w, int h) {
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, w, h);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, w, 0, w - 1, 0, 1, h);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, h, 0, h - 1, w, 1);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, w, h, w - 1, h - 1, 1, 1);
}

void drawTextureOverWindow(int w, int h) {
    const GLenum off[] = {GL_DEPTH_TEST,     GL_LIGHTING,       GL_FOG,
                          GL_BLEND,          GL_ALPHA_TEST,     GL_CULL_FACE,
                          GL_SCISSOR_TEST,   GL_TEXTURE_GEN_S,  GL_TEXTURE_GEN_T,
                          GL_COLOR_LOGIC_OP, GL_POLYGON_STIPPLE};
    for (const GLenum cap : off) glDisable(cap);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    for (const GLenum matrix : {GL_PROJECTION, GL_MODELVIEW, GL_TEXTURE}) {
        glMatrixMode(matrix);
        glPushMatrix();
        glLoadIdentity();
    }
    const float s = static_cast<float>(w) / textureWidth;
    const float t = static_cast<float>(h) / textureHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(s, t);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, t);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    for (const GLenum matrix : {GL_TEXTURE, GL_MODELVIEW, GL_PROJECTION}) {
        glMatrixMode(matrix);
        glPopMatrix();
    }
}
}  // namespace

int scaledSide(int size, int percent) { return std::max(1, (size * percent + 50) / 100); }

void beginScaledScene() {
    if (!scaling()) return;
    const int percent = displayOptions.renderScalePercent;
    glViewport(0, 0, scaledSide(windowWidth, percent), scaledSide(windowHeight, percent));
}

void endScaledScene() {
    if (!scaling()) return;
    const int percent = displayOptions.renderScalePercent;
    const int w = scaledSide(windowWidth, percent), h = scaledSide(windowHeight, percent);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, 0, windowWidth, windowHeight);
    prepareTexture(w, h);
    copySceneToTexture(w, h);
    drawTextureOverWindow(w, h);
    glPopAttrib();
    glViewport(0, 0, windowWidth, windowHeight);
}
