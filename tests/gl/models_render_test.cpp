// Draws the generated models through the game's readers with the game's
// transforms and lighting, and checks where they land on screen. With
// BRAKKON_MODEL_SHOTS set to a folder, every view is also saved there as a
// PNG (scripts/model-shots does that).
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/game_view.h"
#include "assets/obj_model.h"
#include "game/model_table.h"
#include "game/player_tank.h"
#include "png_writer.h"
#include "support/combat_fixture.h"
#include "support/gl_context.h"

namespace {
constexpr int kWidth = 400, kHeight = 300;

struct Background {
    float r, g, b;
};
constexpr Background kSky{0.55f, 0.62f, 0.78f};

// The game's light: directional, fixed in eye space, colour material on.
void setUpScene() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setupLight();
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT, GL_FILL);
}

void beginView(float eyeX, float eyeY, float eyeZ, float atX, float atY, float atZ,
               float fov = 40.0f) {
    glClearColor(kSky.r, kSky.g, kSky.b, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fov, static_cast<double>(kWidth) / kHeight, 0.05, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A view straight down needs another up vector.
    const bool down = std::fabs(eyeX - atX) < 1e-3f && std::fabs(eyeZ - atZ) < 1e-3f;
    gluLookAt(eyeX, eyeY, eyeZ, atX, atY, atZ, 0, down ? 0 : 1, down ? 1 : 0);
    glColor3f(1, 1, 1);
}

// Saves the back buffer when screenshots are asked for.
void shot(const std::string& name) {
    const char* folder = std::getenv("BRAKKON_MODEL_SHOTS");
    if (!folder || !*folder) return;
    Image image(kWidth, kHeight);
    std::vector<unsigned char> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 3];
            image.at(x, y) = {p[0], p[1], p[2]};
        }
    writePng(std::string(folder) + "/" + name + ".png", image, {});
}

bool isBackground(PixelRgb p) {
    return std::abs(p.r - static_cast<int>(kSky.r * 255)) < 3 &&
           std::abs(p.g - static_cast<int>(kSky.g * 255)) < 3 &&
           std::abs(p.b - static_cast<int>(kSky.b * 255)) < 3;
}

// Projects a world point with the current matrices to window pixels.
bool project(float x, float y, float z, int& px, int& py) {
    GLdouble model[16], proj[16], wx, wy, wz;
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    if (!gluProject(x, y, z, model, proj, view, &wx, &wy, &wz)) return false;
    px = static_cast<int>(std::lround(wx));
    py = static_cast<int>(std::lround(wy));
    return px >= 0 && py >= 0 && px < kWidth && py < kHeight;
}

PixelRgb pixelAt(float x, float y, float z) {
    int px = -1, py = -1;
    if (!project(x, y, z, px, py)) {
        ADD_FAILURE() << "point off screen";
        return {0, 0, 0};
    }
    return readPixel(px, py);
}

// ---------------------------------------------------------------------------
// The models loaded and drawn by the game's own code: the tank's lists and
// draw, the level's model table and its composition routines.

struct TankPose {
    bool detailed = true;
    int trackFrame = 0;
    float turretYawRel = 0.0f;
    float gunPitchRel = 0.0f;
};

class ModelsRender : public ::testing::Test {
protected:
    static std::unique_ptr<CombatState> state;
    static std::unique_ptr<PlayerTank> tank;
    static bool ready;

    static void SetUpTestSuite() {
        if (!ensureGlWindow(kWidth, kHeight)) return;
        if (chdir(BRAKKON_ASSET_DIR) != 0) return;
        state = std::make_unique<CombatState>();
        tank = std::make_unique<PlayerTank>();
        loadWorldModels();
        ready = true;
    }
    static void TearDownTestSuite() {
        tank.reset();
        state.reset();
    }
    void SetUp() override {
        REQUIRE_GL_WINDOW(kWidth, kHeight);
        ASSERT_TRUE(ready);
        setUpScene();
    }

    // The tank at the origin facing +z (heading 0), as the game frame draws it.
    static void drawTank(const TankPose& pose) {
        tank->position = Vec3{0, 0, 0};
        tank->hullHeading = 0.0f;
        tank->driveInput = 0;
        tank->trackFrameShown = pose.trackFrame;
        tank->turretYawRel = pose.turretYawRel;
        tank->gunPitchRel = pose.gunPitchRel;
        tank->draw(pose.detailed);
    }

    static void drawProp(int kind) { propKindModel(kind)->draw(); }
    static void drawBlock(float size) {
        glPushMatrix();
        glScalef(size, size, size);
        drawBlockModel();
        glPopMatrix();
    }
    enum PropKind { Cactus = 41, Flag, Mines, Town, Limit, Stop, Water };
};

std::unique_ptr<CombatState> ModelsRender::state;
std::unique_ptr<PlayerTank> ModelsRender::tank;
bool ModelsRender::ready = false;

TEST_F(ModelsRender, TankStandsOnTheGroundFacingPlusZ) {
    // From the left side (+x), the hull's blue shows at mid height and the
    // silver tracks just above the ground; nothing below the ground.
    beginView(6, 1.0f, 0, 0, 0.7f, 0);
    drawTank({});
    shot("tank_side");
    const PixelRgb hull = pixelAt(0.6f, 0.62f, 0.2f);
    EXPECT_GT(hull.b, hull.r);
    EXPECT_FALSE(isBackground(pixelAt(0.6f, 0.1f, 0.0f)));
    EXPECT_TRUE(isBackground(pixelAt(0.6f, -0.1f, 0.0f)));
    // The guns' barrels reach forward (+z) past the hull's nose.
    EXPECT_FALSE(isBackground(pixelAt(0.6f, 1.26f, 0.9f)));
    EXPECT_TRUE(isBackground(pixelAt(0.6f, 1.26f, -1.6f)));

    beginView(3.5f, 2.6f, 4.5f, 0, 0.6f, 0);
    drawTank({});
    shot("tank_front");
    beginView(-3.5f, 2.8f, -4.0f, 0, 0.6f, 0);
    drawTank({true, 2, 35.0f, 340.0f});
    shot("tank_rear_aimed");
    beginView(3.5f, 2.6f, 4.5f, 0, 0.6f, 0);
    drawTank({false, 0, 0.0f, 0.0f});
    shot("tank_plain");
    // The game's chase camera: 2 units behind and 30 degrees up, looking
    // 128 units ahead along the gun.
    beginView(0, 2.0f, -1.732f, 0, 0, 128.0f, 90.0f);
    drawTank({});
    shot("tank_chase");
}

TEST_F(ModelsRender, TankTrackPhasesDiffer) {
    std::vector<unsigned char> first;
    for (int frame = 0; frame < 5; ++frame) {
        beginView(4, 0.3f, 0, 0, 0.3f, 0);
        drawTank({true, frame, 0, 0});
        std::vector<unsigned char> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        if (frame == 0)
            first = rgb;
        else
            EXPECT_NE(rgb, first) << "frame " << frame;
        if (frame == 0) shot("tank_track_closeup");
    }
}

TEST_F(ModelsRender, EnemiesFacePlusZ) {
    // Seen from straight above with +z up the screen, each vehicle's gun
    // reaches toward the top and nothing sticks out behind.
    beginView(0, 14, 0, 0, 0, 0);
    drawTurretEnemyModel(0);
    shot("enemy_tank_top");
    EXPECT_FALSE(isBackground(pixelAt(0, 1.1f, 2.3f)));
    EXPECT_TRUE(isBackground(pixelAt(0, 1.1f, -2.3f)));

    beginView(0, 20, 0, 0, 0, 0);
    drawTripleEnemyModel();
    shot("enemy_heavy_top");
    EXPECT_FALSE(isBackground(pixelAt(0.32f, 1.68f, 2.8f)));
    EXPECT_TRUE(isBackground(pixelAt(0.32f, 1.68f, -2.8f)));

    beginView(0, 14, 0, 0, 0, 0);
    drawCarEnemyModel();
    shot("enemy_car_top");
    EXPECT_FALSE(isBackground(pixelAt(0, 1.64f, 0.8f)));  // roof gun forward
    EXPECT_TRUE(isBackground(pixelAt(0, 1.0f, -2.1f)));

    beginView(5, 3, 6, 0, 0.8f, 0);
    drawCarEnemyModel();
    shot("enemy_car");
    beginView(5, 3, 6, 0, 0.8f, 0);
    drawTurretEnemyModel(0);
    shot("enemy_tank");
    beginView(5, 3, 6, 0, 0.8f, 0);
    drawTurretEnemyModel(40);
    shot("enemy_tank_turned");
    beginView(7, 4.5f, 8.5f, 0, 1.0f, 0);
    drawTripleEnemyModel();
    shot("enemy_heavy");
    beginView(-7, 4.5f, -8.5f, 0, 1.0f, 0);
    drawTripleEnemyModel();
    shot("enemy_heavy_rear");
}

TEST_F(ModelsRender, BlockFillsItsBox) {
    // A block of size 20 seen from the front: its edges at x = +-10 and the
    // top at 20 show exactly where the hit test's box is.
    beginView(0, 10, 45, 0, 10, 0, 60.0f);
    drawBlock(20);
    shot("block");
    EXPECT_FALSE(isBackground(pixelAt(9.5f, 10, 10)));
    EXPECT_FALSE(isBackground(pixelAt(-9.5f, 19.5f, 10)));
    EXPECT_TRUE(isBackground(pixelAt(10.5f, 10, 10)));
    EXPECT_TRUE(isBackground(pixelAt(0, 20.5f, 10)));
    beginView(30, 35, 40, 0, 8, 0, 60.0f);
    drawBlock(20);
    shot("block_above");
}

TEST_F(ModelsRender, SignsShowTheirPicturesFromBothSides) {
    beginView(0, 2.5f, 3, 0, 2.5f, 0);
    drawProp(Stop);
    shot("sign_stop");
    const PixelRgb red = pixelAt(0, 2.95f, 0.03f);
    EXPECT_GT(red.r, 2 * red.g);
    beginView(0, 2.5f, -3, 0, 2.5f, 0);
    drawProp(Stop);
    shot("sign_stop_back");
    const PixelRgb back = pixelAt(0, 2.95f, -0.03f);
    EXPECT_GT(back.r, 2 * back.g);

    struct View {
        int model;
        const char* name;
        float height;
    };
    for (const View& v : {View{Limit, "sign_limit", 2.5f}, View{Mines, "sign_mines", 2.5f},
                          View{Town, "sign_town", 2.55f}, View{Water, "sign_water", 2.45f},
                          View{Cactus, "cactus", 1.8f}, View{Flag, "flag", 3.5f}}) {
        const float distance = v.model == Cactus || v.model == Flag ? 8.0f : 4.0f;
        beginView(0.6f, v.height, distance, 0, v.height, 0);
        drawProp(v.model);
        shot(v.name);
        EXPECT_FALSE(isBackground(pixelAt(0, v.height, 0))) << v.name;
    }
}

TEST_F(ModelsRender, ShellAndMissileLieAlongTheirFlight) {
    beginView(5.0f, 1.5f, 0, 0, 0.25f, 0);
    glColor3f(1, 1, 0);
    glPushMatrix();
    glTranslatef(0, 0, -1.0f);
    drawShellModel();
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, 0.5f, 1.0f);
    glScalef(1.5f, 1.5f, 1.5f);
    drawMissileModel();
    glPopMatrix();
    shot("shell_missile");
    EXPECT_FALSE(isBackground(pixelAt(0, 0, -1.0f + 0.5f)));    // shell nose toward +z
    EXPECT_FALSE(isBackground(pixelAt(0, 0.5f, 1.0f + 0.8f)));  // missile nose
    EXPECT_TRUE(isBackground(pixelAt(0, 0, -1.0f - 0.6f)));
}

TEST_F(ModelsRender, DebrisTumblesRedOrange) {
    ObjModel a, b;
    ASSERT_TRUE(a.load("obj/debris/BS_1.obj"));
    ASSERT_TRUE(b.load("obj/debris/BS_2.obj"));
    const float angles[][3] = {{0, 0, 0}, {70, 30, 0}, {140, 200, 60}, {250, 100, 300}};
    for (int i = 0; i < 4; ++i) {
        beginView(0, 0, 12, 0, 0, 0);
        glPushMatrix();
        glRotatef(angles[i][0] + 90, 1, 0, 0);
        glRotatef(angles[i][1], 0, 1, 0);
        glRotatef(angles[i][2], 0, 0, 1);
        glColor4f(1, 0.1f, 0, 1);
        glScalef(0.08f, 0.08f, 0.08f);
        a.draw();
        b.draw();
        glPopMatrix();
        shot("debris_" + std::to_string(i));
        const PixelRgb centre = readPixel(kWidth / 2, kHeight / 2);
        EXPECT_FALSE(isBackground(centre)) << i;
    }
}

}  // namespace
