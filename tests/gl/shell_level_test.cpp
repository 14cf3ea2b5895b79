// A whole level built from the generated asset folder, then played for a
// while in-process: ticks and frames with the tank driving, the scenery
// grounded on the third frame, and the aim point found by the selection pass.
#include <GL/freeglut.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_frame.h"
#include "app/game_tick.h"
#include "app/globals.h"
#include "app/level_setup.h"
#include "app/startup.h"
#include "platform/console.h"
#include "support/gl_context.h"
#include "support/message_capture.h"

namespace {
constexpr int kWidth = 640, kHeight = 480;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

class Level : public ::testing::Test {
protected:
    static inline std::vector<CapturedMessage> setupMessages;
    static inline bool built = false;

    static void SetUpTestSuite() {
        if (!ensureGlWindow(kWidth, kHeight)) return;
        ASSERT_EQ(chdir(BRAKKON_ASSET_DIR), 0);
        onReshape(kWidth, kHeight);
        setupLight();
        glEnable(GL_DEPTH_TEST);
        MessageCapture capture;
        setupLevel();
        setupMessages = capture.messages();
        built = true;
    }
    void SetUp() override {
        if (built) return;
        if (windowRequired()) FAIL() << "no X display, or the level set-up stopped";
        GTEST_SKIP() << "no X display";
    }
};
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
