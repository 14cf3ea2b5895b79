// The generated pictures drawn the way the game draws them: the sky box in
// its fog over the fogged ground, and the HUD and burst sprites blended by
// their masks. Set BRAKKON_SHOT_DIR to keep the rendered views as PPM files.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_view.h"
#include "app/globals.h"
#include "app/hud.h"
#include "assets/texture_loader.h"
#include "support/gl_context.h"

namespace {

constexpr int kW = 512, kH = 384;
const float kFog[4] = {0.55f, 0.42f, 0.24f, 1.0f};

// Loads a picture from the asset folder through the game's texture loader.
GLuint uploadPicture(const std::string& name) {
    TextureLoader loader;
    loader.load((std::string(BRAKKON_ASSET_DIR) + "/" + name).c_str());
    EXPECT_GT(loader.width, 0) << name;
    return loader.textureName();
}

std::vector<PixelRgb> grabFrame() {
    std::vector<PixelRgb> pixels(kW * kH);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void keepShot(const std::vector<PixelRgb>& pixels, const std::string& name) {
    const char* folder = std::getenv("BRAKKON_SHOT_DIR");
    if (!folder) return;
    std::FILE* f = std::fopen((std::string(folder) + "/" + name + ".ppm").c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6 %d %d 255\n", kW, kH);
    for (int y = kH - 1; y >= 0; --y) std::fwrite(&pixels[y * kW], 3, kW, f);
    std::fclose(f);
}

int channelJump(const PixelRgb& a, const PixelRgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

struct SkyTextures {
    GLuint back, front, top, left, right;
};

// The box as the world lays it out: 5000 units, turned 45 degrees, each face
// with its texture coordinates, fogged exponentially; then the ground, a
// brown plane fogged linearly between 127 and 254 units.
void drawSkyAndGround(const SkyTextures& sky, float headingDegrees, float pitchDegrees) {
    glClearColor(kFog[0], kFog[1], kFog[2], 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setGameProjection(kW, kH);
    glLoadIdentity();
    glRotatef(pitchDegrees, 1, 0, 0);
    glRotatef(headingDegrees, 0, 1, 0);
    glTranslatef(0, -12, 0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_FOG);
    glFogfv(GL_FOG_COLOR, kFog);
    glFogf(GL_FOG_DENSITY, 0.00025f);
    glFogf(GL_FOG_START, 127);
    glFogf(GL_FOG_END, 254);
    glHint(GL_FOG_HINT, GL_NICEST);

    glFogi(GL_FOG_MODE, GL_EXP);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glPushMatrix();
    glRotatef(45, 0, 1, 0);
    const float x0 = -2500, y0 = -2500, z0 = -2500, x1 = 2500, y1 = 2500, z1 = 2500;
    struct Corner {
        float s, t, x, y, z;
    };
    auto face = [](GLuint texture, std::initializer_list<Corner> corners) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBegin(GL_QUADS);
        for (const Corner& c : corners) {
            glTexCoord2f(c.s, c.t);
            glVertex3f(c.x, c.y, c.z);
        }
        glEnd();
    };
    face(sky.back,
         {{1, 0, x1, y0, z0}, {1, 1, x1, y1, z0}, {0, 1, x0, y1, z0}, {0, 0, x0, y0, z0}});
    face(sky.front,
         {{1, 0, x0, y0, z1}, {1, 1, x0, y1, z1}, {0, 1, x1, y1, z1}, {0, 0, x1, y0, z1}});
    face(sky.top, {{0, 1, x1, y1, z0}, {0, 0, x1, y1, z1}, {1, 0, x0, y1, z1}, {1, 1, x0, y1, z0}});
    face(sky.left,
         {{1, 1, x0, y1, z0}, {0, 1, x0, y1, z1}, {0, 0, x0, y0, z1}, {1, 0, x0, y0, z0}});
    face(sky.right,
         {{0, 0, x1, y0, z0}, {1, 0, x1, y0, z1}, {1, 1, x1, y1, z1}, {0, 1, x1, y1, z0}});
    glPopMatrix();

    glFogi(GL_FOG_MODE, GL_LINEAR);
    glDisable(GL_TEXTURE_2D);
    glColor3f(kFog[0], kFog[1], kFog[2]);
    glBegin(GL_QUADS);
    glVertex3f(-1270, 0, -1270);
    glVertex3f(-1270, 0, 1270);
    glVertex3f(1270, 0, 1270);
    glVertex3f(1270, 0, -1270);
    glEnd();
    glDisable(GL_FOG);
}

TEST(PictureBlending, SkyBoxCornersShowNoSeamAndTheHorizonMeetsTheGround) {
    REQUIRE_GL_WINDOW(kW, kH);
    const SkyTextures sky{uploadPicture("back.bmp"), uploadPicture("front.bmp"),
                          uploadPicture("top.bmp"), uploadPicture("left.bmp"),
                          uploadPicture("right.bmp")};
    // Turned 45 degrees, the box has a vertical corner edge straight ahead at
    // every multiple of 90 degrees, and the top face's edges overhead.
    for (int heading = 0; heading < 360; heading += 90) {
        drawSkyAndGround(sky, float(heading), -20.0f);
        const std::vector<PixelRgb> frame = grabFrame();
        keepShot(frame, "sky_heading_" + std::to_string(heading));
        // A seam would run down the whole edge; a cloud crossing it may leave
        // a step in a row or two.
        int steppedRows = 0;
        for (int y = 100; y < kH; y += 3) {
            const PixelRgb* row = &frame[y * kW];
            // Across the edge the colour changes no faster than just beside it.
            const int beside = std::max(channelJump(row[kW / 2 - 8], row[kW / 2 - 5]),
                                        channelJump(row[kW / 2 + 4], row[kW / 2 + 7]));
            if (channelJump(row[kW / 2 - 2], row[kW / 2 + 1]) > beside + 3) ++steppedRows;
        }
        EXPECT_LE(steppedRows, 2) << "heading " << heading;
        // Far below the horizon line the view is the haze colour throughout.
        const PixelRgb ground = frame[40 * kW + kW / 2];
        EXPECT_NEAR(ground.r, 140, 3);
        EXPECT_NEAR(ground.g, 107, 3);
        EXPECT_NEAR(ground.b, 61, 3);
    }
    // Looking straight up: the top face meets all four walls without a line.
    drawSkyAndGround(sky, 0.0f, -89.0f);
    const std::vector<PixelRgb> up = grabFrame();
    keepShot(up, "sky_up");
    int worst = 0;
    for (int y = 1; y < kH - 1; ++y)
        for (int x = 1; x < kW - 1; ++x)
            worst = std::max({worst, channelJump(up[y * kW + x], up[y * kW + x + 1]),
                              channelJump(up[y * kW + x], up[(y + 1) * kW + x])});
    EXPECT_LE(worst, 12);
    glDeleteTextures(5, &sky.back);
}

// Multiplies the mask in and adds the colour picture over a sand-coloured
// frame, as the HUD and the burst sprites are drawn.
std::vector<PixelRgb> drawMaskedSprite(GLuint mask, GLuint colour, float tintR, float tintG,
                                       float tintB) {
    glViewport(0, 0, kW, kH);
    glClearColor(kFog[0], kFog[1], kFog[2], 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kW, kH, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    auto quad = [](int x1, int y1, int x2, int y2) {
        glBegin(GL_QUADS);
        glTexCoord2f(0, 1);
        glVertex2i(x1, y1);
        glTexCoord2f(0, 0);
        glVertex2i(x1, y2);
        glTexCoord2f(1, 0);
        glVertex2i(x2, y2);
        glTexCoord2f(1, 1);
        glVertex2i(x2, y1);
        glEnd();
    };
    // The crosshair's quad: 30 x 30, top edge on the middle line.
    const int x1 = kW / 2 - 15, y1 = kH / 2, x2 = kW / 2 + 15, y2 = kH / 2 + 30;
    glColor3f(1, 1, 1);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, mask);
    quad(x1, y1, x2, y2);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3f(tintR, tintG, tintB);
    glBindTexture(GL_TEXTURE_2D, colour);
    quad(x1, y1, x2, y2);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    return grabFrame();
}

TEST(PictureBlending, CrosshairMarksTheScreenCentreAndLeavesTheRestAlone) {
    REQUIRE_GL_WINDOW(kW, kH);
    const GLuint mask = uploadPicture("HUD_GAN.bmp"), colour = uploadPicture("HUD_GANR.bmp");
    const std::vector<PixelRgb> frame = drawMaskedSprite(mask, colour, 1, 1, 1);
    keepShot(frame, "crosshair");
    // Rows count from the bottom: the middle line is row kH / 2.
    const PixelRgb tip = frame[(kH / 2 - 2) * kW + kW / 2];
    EXPECT_GT(tip.g, 150);
    EXPECT_GT(tip.g, tip.r + 40);
    // The corners of the quad leave the scene as it was.
    const PixelRgb corner = frame[(kH / 2 - 29) * kW + kW / 2 - 14];
    EXPECT_NEAR(corner.r, 140, 3);
    EXPECT_NEAR(corner.g, 107, 3);
    EXPECT_NEAR(corner.b, 61, 3);
    glDeleteTextures(1, &mask);
    glDeleteTextures(1, &colour);
}

TEST(PictureBlending, BurstsShowUnderBothTints) {
    REQUIRE_GL_WINDOW(kW, kH);
    for (int frameNumber : {1, 2, 3}) {
        const std::string base = "rlboom_" + std::to_string(frameNumber);
        const GLuint mask = uploadPicture(base + "_mask.bmp");
        const GLuint colour = uploadPicture(base + ".bmp");
        // Missile bursts keep only green, enemy-shell bursts red and some green:
        // either way the burst must stand out from the sand behind it.
        const std::vector<PixelRgb> green = drawMaskedSprite(mask, colour, 0, 1, 0);
        const PixelRgb g = green[(kH / 2 - 15) * kW + kW / 2];
        EXPECT_GT(g.g, 150) << base;
        const std::vector<PixelRgb> orange = drawMaskedSprite(mask, colour, 1, 0.6f, 0);
        const PixelRgb o = orange[(kH / 2 - 15) * kW + kW / 2];
        EXPECT_GT(o.r, 170) << base;
        EXPECT_GT(o.g, 90) << base;
        glDeleteTextures(1, &mask);
        glDeleteTextures(1, &colour);
    }
}

TEST(PictureBlending, HudShowsItsPicturesWhateverColourTheSceneLeft) {
    REQUIRE_GL_WINDOW(kW, kH);
    auto load = [](TextureLoader& loader, const std::string& name) {
        loader.load((std::string(BRAKKON_ASSET_DIR) + "/" + name).c_str());
    };
    load(hudCrosshairMask, "HUD_GAN.bmp");
    load(hudCrosshair, "HUD_GANR.bmp");
    load(hudLabelHurt, "HUD_D.bmp");
    load(hudLabelKilled, "HUD_K.bmp");
    load(hudLabelHit, "HUD_BH.bmp");
    load(hudLabelFired, "HUD_BF.bmp");
    for (int d = 0; d <= 9; ++d) load(digitPictures[d], std::to_string(d) + "m.bmp");
    windowWidth = kW;
    windowHeight = kH;
    glViewport(0, 0, kW, kH);
    glClearColor(kFog[0], kFog[1], kFog[2], 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The scene's last model may leave any colour current, here a dark one.
    glColor3f(0.2f, 0.3f, 0.2f);
    drawHud();
    const std::vector<PixelRgb> frame = grabFrame();
    keepShot(frame, "hud");
    // The labels' and digits' white margins leave the scene as it was.
    for (int row = 0; row < 4; ++row) {
        const PixelRgb margin = frame[(30 * row + 1) * kW + kW - 200];
        EXPECT_NEAR(margin.r, 140, 3) << "row " << row;
        EXPECT_NEAR(margin.g, 107, 3) << "row " << row;
    }
    // The crosshair's tip is bright green at the screen centre.
    const PixelRgb tip = frame[(kH / 2 - 2) * kW + kW / 2];
    EXPECT_GT(tip.g, 150);
    for (TextureLoader* loader : {&hudCrosshairMask, &hudCrosshair, &hudLabelHurt, &hudLabelKilled,
                                  &hudLabelHit, &hudLabelFired})
        *loader = TextureLoader{};
    for (TextureLoader& digit : digitPictures) digit = TextureLoader{};
}

}  // namespace
