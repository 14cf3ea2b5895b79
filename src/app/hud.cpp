#include "app/hud.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>

#include "app/globals.h"
#include "app/hud_scale.h"
#include "app/overlay2d.h"
#include "app/scaled_text.h"

namespace {

constexpr int kCell = 30;

// Four digit cells, ones at the right edge.
void drawCounterRow(int value, int top, int s) {
    const int W = windowWidth, size = kCell * s;
    const std::array<int, 4> digits = counterDigits(value);
    for (int cell = 0; cell < 4; ++cell) {
        const int digit = digits[cell];
        // A negative counter has no picture; the cell reuses the last one bound.
        if (digit >= 0 && digit <= 9) digitPictures[digit].bind();
        const int right = W - size * cell;
        drawScreenQuad(right - size, top, right, top + size);
    }
}

void drawLabel(const TextureLoader& label, int top, int s) {
    label.bind();
    drawScreenQuad(windowWidth - 240 * s, top, windowWidth - 120 * s, top + kCell * s);
}

}  // namespace

std::array<int, 4> counterDigits(int value) {
    return {value % 10, value % 100 / 10, value % 1000 / 100, value % 10000 / 1000};
}

void drawHud() {
    const int W = windowWidth, H = windowHeight, s = hudScale(W, H);
    begin2D();
    // The scene may have left texturing off; every HUD quad is a picture.
    glEnable(GL_TEXTURE_2D);
    // The last model drawn leaves its material colour current, which would
    // tint every picture: the HUD shows them as they are.
    glColor3f(1.0f, 1.0f, 1.0f);

    // Crosshair: the mask multiplies the scene, the colour is added on top.
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glEnable(GL_BLEND);
    hudCrosshairMask.bind();
    drawScreenQuad(W / 2 - 15 * s, H / 2, W / 2 + 15 * s, H / 2 + 30 * s);
    glBlendFunc(GL_ONE, GL_ONE);
    hudCrosshair.bind();
    drawScreenQuad(W / 2 - 15 * s, H / 2, W / 2 + 15 * s, H / 2 + 30 * s);

    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    const int row = kCell * s;
    drawCounterRow(GameStats.fired, H - row, s);
    drawCounterRow(GameStats.hit, H - 2 * row, s);
    drawCounterRow(GameStats.killed, H - 3 * row, s);
    drawCounterRow(GameStats.hurt, H - 4 * row, s);

    drawLabel(hudLabelHurt, H - 4 * row, s);
    drawLabel(hudLabelKilled, H - 3 * row, s);
    drawLabel(hudLabelHit, H - 2 * row, s);
    drawLabel(hudLabelFired, H - row, s);

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    end2D();
}

void formatStatusReport() {
    std::snprintf(statusText, sizeof statusText,
                  "      ----- STATUS -----\n\n"
                  "hurt : %d\n"
                  "fired : %d\n"
                  "hit : %d\n"
                  "killed : %d\n"
                  "FPS  : %d\n",
                  GameStats.hurt, GameStats.fired, GameStats.hit, GameStats.killed, GameStats.fps);
}

void drawStatusText(int x, int y) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int vw = viewport[2], vh = viewport[3], s = hudScale(vw, vh);
    glDisable(GL_LIGHTING);
    // Bitmap fragments are textured like any other; the HUD leaves a picture
    // bound, which would tint the text, so texturing goes off here.
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.0f, 1.0f, 0.0f);

    // Raster y counts downward from 13 pixels (times the scale) below the top edge.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, vw, 0, vh);
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(13 * s - vh), 0.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    if (s > 1) {
        drawScaledText(statusText, x * s, y * s, s);
    } else {
        glRasterPos2i(x, y);
        for (const char* c = statusText; *c != '\0'; ++c) {
            if (*c == '\n') {
                y += 13;
                glRasterPos2i(0, y);
            } else {
                glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
            }
        }
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_LIGHTING);
}
