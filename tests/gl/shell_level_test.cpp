// A whole level built from the generated asset folder, then played for a
// while in-process: ticks and frames with the tank driving, the scenery
// grounded on the third frame, the aim point found by the selection pass, and
// play driven by a pad alone.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_frame.h"
#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/level_setup.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "app/startup.h"
#include "game/game_events.h"
#include "game/game_tick.h"
#include "platform/console.h"
#include "support/level_window.h"
#include "support/virtual_pad.h"
#include "support/world_scene.h"

namespace {
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

using Level = LevelInWindow<640, 480>;
constexpr int kHeight = Level::kHeight;
}  // namespace

TEST_F(Level, SetUpReadsEveryAssetWithoutAMessage) {
    for (const auto& m : setupMessages) ADD_FAILURE() << m.title << ": " << m.text;
    ASSERT_TRUE(world);
    ASSERT_TRUE(player);
    EXPECT_TRUE(levelReady);
    for (int i = 0; i < kBlockCount; ++i) EXPECT_TRUE(blocks[i]) << i;
    for (int i = 0; i < kSceneryCount; ++i) EXPECT_TRUE(scenery[i]) << i;
    for (int i = 0; i < kEnemyCount; ++i) {
        ASSERT_TRUE(enemies[i]) << i;
        EXPECT_EQ(enemies[i]->index, i);
    }
    EXPECT_EQ(blocks[0]->x, 135.0f);
    EXPECT_EQ(blocks[0]->z, 66.0f);
    for (auto& p : projectiles) EXPECT_FALSE(p);
    for (auto& e : explosions) EXPECT_FALSE(e);
    // The camera stands behind the tank, above the ground, before any tick.
    EXPECT_GE(CameraState.eye.y, 0.0f);
    EXPECT_GE(CameraState.eye.y,
              world->heightAt(CameraState.eye.x, CameraState.eye.z) + 2.0 - 1e-4);
}

TEST_F(Level, TheThirdFrameGroundsTheSceneryOnce) {
    std::ostringstream out;
    setConsoleStream(&out);
    MessageCapture capture;
    drawGameFrame();
    drawGameFrame();
    EXPECT_EQ(out.str(), "");
    drawGameFrame();
    const std::string third = out.str();
    drawGameFrame();
    const std::string fourth = out.str();
    setConsoleStream(nullptr);
    const auto written = lines(third);
    ASSERT_EQ(written.size(), 51u);
    for (int i = 0; i < kSceneryCount; ++i) {
        std::ostringstream expected;
        expected << scenery[i]->y;
        EXPECT_EQ(written[i], expected.str()) << i;
        EXPECT_EQ(scenery[i]->y, static_cast<float>(world->heightAt(scenery[i]->x, scenery[i]->z)));
    }
    EXPECT_EQ(written[50], " here");
    EXPECT_EQ(fourth, third);
    EXPECT_EQ(sceneryGroundFrames, -50);
    for (const auto& b : blocks) EXPECT_EQ(b->y, 0.0f);
    for (const auto& m : capture.messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

TEST_F(Level, TheTankDrivesThroughTicksAndFrames) {
    MessageCapture capture;
    const Vec3 start = player->position;
    player->driveInput = 1;
    for (int i = 0; i < 60; ++i) {
        drawGameFrame();  // may finish a tile and so raise the ground
        gameTick();
        // The camera never goes below the ground under it, nor below 0.
        ASSERT_GE(CameraState.eye.y, 0.0f);
        ASSERT_GE(CameraState.eye.y,
                  world->heightAt(CameraState.eye.x, CameraState.eye.z) + 2.0 - 1e-3);
    }
    player->driveInput = 0;
    const float moved = std::hypot(player->position.x - start.x, player->position.z - start.z);
    EXPECT_GT(moved, 5.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (const auto& m : capture.messages()) ADD_FAILURE() << m.title << ": " << m.text;
}

TEST_F(Level, ABlockAtTheScreenCentreBecomesTheAimPoint) {
    // Put block 0 on the line of sight, 25 units ahead of the eye.
    const Vec3 eye = CameraState.eye;
    Vec3 ahead = vecNormalize(vecSub(CameraState.target, eye));
    const Vec3 spot = vecAdd(eye, vecScale(25.0f, ahead));
    blocks[0]->x = spot.x;
    blocks[0]->y = spot.y - 10.0f;  // the pick cube is centred half its height up
    blocks[0]->z = spot.z;
    AimPoint = {};
    drawGameFrame();
    EXPECT_GT(hitCount, 0);
    EXPECT_EQ(AimPoint.x, blocks[0]->x);
    EXPECT_EQ(AimPoint.y, blocks[0]->y);
    EXPECT_EQ(AimPoint.z, blocks[0]->z);
    // Moved away, the aim point keeps its value.
    blocks[0]->x += 5000.0f;
    drawGameFrame();
    EXPECT_EQ(AimPoint.y, spot.y - 10.0f);
}

namespace {
// One pixel of the finished frame. The game frame swaps its buffers; the
// software renderer's swap copies, so the back buffer still holds the frame.
PixelRgb shownPixel(int x, int y) { return readPixel(x, y); }

bool samePixel(PixelRgb a, PixelRgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Bright green pixels in the top left corner, where the status report goes.
int reportPixels() {
    drawGameFrame();
    std::vector<unsigned char> rgb(200 * 100 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, kHeight - 100, 200, 100, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int count = 0;
    for (size_t k = 0; k < rgb.size(); k += 3)
        count += rgb[k + 1] > 230 && rgb[k] < 60 && rgb[k + 2] < 60;
    return count;
}
}  // namespace

TEST_F(Level, TheStatusReportShowsAfterAnOddNumberOfPresses) {
    ASSERT_FALSE(showStatus);
    EXPECT_EQ(reportPixels(), 0);
    onGameKeyDown('p', 0, 0);
    EXPECT_GT(reportPixels(), 50);
    onGameKeyUp('p', 0, 0);  // releasing changes nothing
    EXPECT_GT(reportPixels(), 50);
    onGameKeyDown('p', 0, 0);
    EXPECT_EQ(reportPixels(), 0);
    onGameKeyDown('P', 0, 0);  // upper case is another key
    EXPECT_EQ(reportPixels(), 0);
}

TEST_F(Level, AnUnknownPropKindIsUnseenButPickedAndEmptyEnemySlotsAreSkipped) {
    const int cx = kWidth / 2, cy = kHeight / 2;
    enemies[3].reset();
    // The block well out of sight, then on the line of sight 25 units ahead.
    blocks[0]->x += 5000.0f;
    drawGameFrame();
    const PixelRgb without = shownPixel(cx, cy);
    const Vec3 eye = CameraState.eye;
    const Vec3 spot = vecAdd(eye, vecScale(25.0f, vecNormalize(vecSub(CameraState.target, eye))));
    blocks[0]->x = spot.x;
    blocks[0]->y = spot.y - 10.0f;
    blocks[0]->z = spot.z;
    AimPoint = {};
    drawGameFrame();
    EXPECT_FALSE(samePixel(shownPixel(cx, cy), without)) << "the block is not in view";

    blocks[0]->kind = 48;
    AimPoint = {};
    drawGameFrame();
    EXPECT_TRUE(samePixel(shownPixel(cx, cy), without)) << "a kind-48 prop was drawn";
    EXPECT_EQ(AimPoint.x, blocks[0]->x);
    EXPECT_EQ(AimPoint.z, blocks[0]->z);
    blocks[0]->kind = 40;
    blocks[0]->x += 5000.0f;
    enemies[3] = std::make_unique<EnemyUnit>(EnemyKind::Tank, 3);
    enemies[3]->place();
}

TEST_F(Level, TheTankKeepsItsHeightUntilItMovesAndSitsAtMinusOneOffTheWorld) {
    // Standing on ground not built yet: the tile finishes under the tank, which
    // keeps its height until it moves.
    player->position = {-700.0f, 3.0f, -700.0f};
    for (int frame = 0; frame < 400 && world->heightAt(-700.0f, -700.0f) == 0.0; ++frame) {
        drawGameFrame();
        gameTick();
        waitForBuilder(*world);
        ASSERT_EQ(player->position.y, 3.0f) << frame;
    }
    ASSERT_NE(world->heightAt(-700.0f, -700.0f), 0.0) << "the tile under the tank was not built";
    player->driveInput = 1;
    gameTick();
    player->driveInput = 0;
    EXPECT_EQ(player->position.y,
              static_cast<float>(world->heightAt(player->position.x, player->position.z)));

    // Driven past the edge: height -1, the last tilt kept.
    player->position = {1268.0f, 0.0f, 0.0f};
    player->hullHeading = 90.0f;  // toward +x
    player->hullPitch = 4.0f;
    player->hullRoll = -3.0f;
    player->driveInput = 1;
    for (int tick = 0; tick < 4; ++tick) gameTick();
    player->driveInput = 0;
    drawGameFrame();
    EXPECT_GT(player->position.x, 1269.0f);
    EXPECT_EQ(player->position.y, -1.0f);
    EXPECT_EQ(player->hullPitch, 4.0f);
    EXPECT_EQ(player->hullRoll, -3.0f);
}

TEST_F(Level, APadAloneDrivesAimsAndFires) {
    startGamepad();
    ASSERT_TRUE(padsStarted());
    VirtualPad pad;
    pad.pass = [] {
        pollGamepad();
        tickUnlessPaused();
    };
    pad.attach();
    playStarted = true;
    player->position = {0.0f, 0.0f, 0.0f};
    player->hullHeading = 0.0f;
    const Vec3 start = player->position;
    float yaw = player->turretYaw;
    const int fired = GameStats.fired;
    // Stick up and the right one half right for 41 passes of the timer.
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 16384);
    for (int pass = 0; pass < 40; ++pass) {
        drawGameFrame();
        pad.pass();
    }
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pad.stick(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX);
    for (int pass = 0; pass < 4; ++pass) {
        pad.pass();
        drawGameFrame();
    }
    if (const char* folder = std::getenv("BRAKKON_SHOT_DIR")) {
        std::vector<unsigned char> rgb(kWidth * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        if (std::FILE* f = std::fopen((std::string(folder) + "/pad-play.ppm").c_str(), "wb")) {
            std::fprintf(f, "P6 %d %d 255\n", kWidth, kHeight);
            for (int y = kHeight - 1; y >= 0; --y) std::fwrite(&rgb[y * kWidth * 3], 3, kWidth, f);
            std::fclose(f);
        }
    }
    EXPECT_GT(std::hypot(player->position.x - start.x, player->position.z - start.z), 5.0f);
    EXPECT_EQ(player->driveInput, 0);
    for (int pass = 0; pass < 41; ++pass) yaw = turretYawAfterTurn(yaw, -2.0);
    EXPECT_NEAR(player->turretYaw, yaw, 1e-2);
    EXPECT_EQ(GameStats.fired, fired + 1);
    pad.detach();
    stopPads();
    gameEvents = nullptr;
    playStarted = false;
}
