// The play-time key and mouse tables, the gun and turret limits, and the
// fire actions with their slot ranges.
#include <GL/freeglut.h>

#include "app/control_settings.h"
#include "app/input.h"
#include "app/pointer_capture.h"
#include "support/shell_fixture.h"

namespace {
class Input : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    }
};
}  // namespace

TEST_F(Input, DriveAndTurnKeysFollowTheLastEvent) {
    onGameKeyDown('a', 0, 0);
    EXPECT_EQ(player->turnInput, 180);
    onGameKeyDown('d', 0, 0);
    EXPECT_EQ(player->turnInput, -180);
    // Releasing a stops turning even though d is still held.
    onGameKeyUp('a', 0, 0);
    EXPECT_EQ(player->turnInput, 0);
    onGameKeyDown('w', 0, 0);
    EXPECT_EQ(player->driveInput, 1);
    onGameKeyDown('s', 0, 0);
    EXPECT_EQ(player->driveInput, 2);
    onGameKeyUp('w', 0, 0);
    EXPECT_EQ(player->driveInput, 0);
}

TEST_F(Input, SpaceTogglesSlowMotionAndPTogglesTheReport) {
    onGameKeyDown(' ', 0, 0);
    EXPECT_EQ(TimeScale, 30.0f);
    onGameKeyDown(' ', 0, 0);
    EXPECT_EQ(TimeScale, 100.0f);
    onGameKeyDown(' ', 0, 0);
    EXPECT_EQ(TimeScale, 30.0f);
    onGameKeyUp(' ', 0, 0);
    EXPECT_EQ(TimeScale, 30.0f);
    onGameKeyDown('p', 0, 0);
    EXPECT_TRUE(showStatus);
    onGameKeyUp('p', 0, 0);
    onGameKeyDown('p', 0, 0);
    EXPECT_FALSE(showStatus);
}

TEST_F(Input, UpperCaseAndOtherKeysDoNothing) {
    for (unsigned char key : {'A', 'D', 'W', 'S', 'R', 'G', 'P', 'x', '\r', 'q'}) {
        onGameKeyDown(key, 0, 0);
        onGameKeyUp(key, 0, 0);
    }
    EXPECT_EQ(player->turnInput, 0);
    EXPECT_EQ(player->driveInput, 0);
    EXPECT_FALSE(showStatus);
    EXPECT_EQ(TimeScale, 100.0f);
    for (auto& p : projectiles) EXPECT_FALSE(p);
    for (auto& e : explosions) EXPECT_FALSE(e);
}

TEST_F(Input, EscapeEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(onGameKeyDown(kEscapeKey, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(Input, GunPitchStaysBetweenSixtyUpAndSixDown) {
    EXPECT_EQ(gunPitchAfterTurn(0.0f, 1.0), 1.0f);
    EXPECT_EQ(gunPitchAfterTurn(0.0f, 1250.0), 6.0f);  // large move down stops at 6
    EXPECT_EQ(gunPitchAfterTurn(0.0f, -1.0), 359.0f);
    EXPECT_EQ(gunPitchAfterTurn(0.0f, -1250.0), 300.0f);  // large move up stops at 300
    EXPECT_EQ(gunPitchAfterTurn(359.0f, 2.0), 1.0f);      // wraps through 360
    EXPECT_EQ(gunPitchAfterTurn(300.0f, -1.0), 300.0f);
    EXPECT_EQ(gunPitchAfterTurn(6.0f, 1.0), 6.0f);
    for (double dy = -3000.0; dy <= 3000.0; dy += 37.0) {
        for (float start : {0.0f, 3.0f, 6.0f, 300.0f, 330.0f, 359.5f}) {
            const float p = gunPitchAfterTurn(start, dy * kDegreesPerPixel);
            EXPECT_FALSE(p > 6.0f && p < 300.0f) << start << " + " << dy;
        }
    }
}

TEST_F(Input, TurretYawTurnsLeftForPositiveDegreesAndWraps) {
    EXPECT_EQ(turretYawAfterTurn(180.0f, -1.0), 179.0f);  // right: smaller yaw
    EXPECT_EQ(turretYawAfterTurn(0.5f, -1.0), 359.5f);
    EXPECT_EQ(turretYawAfterTurn(359.5f, 1.0), 0.5f);
}

TEST_F(Input, WarpOnlyWithinFiftyPixelsOfTheWindowsEdges) {
    // 800 x 600: beyond 50..750 x 50..550, back to (400, 300), as always.
    EXPECT_FALSE(pointerNeedsWarp(750, 550, 800, 600));
    EXPECT_FALSE(pointerNeedsWarp(50, 50, 800, 600));
    EXPECT_TRUE(pointerNeedsWarp(751, 300, 800, 600));
    EXPECT_TRUE(pointerNeedsWarp(400, 551, 800, 600));
    EXPECT_TRUE(pointerNeedsWarp(49, 300, 800, 600));
    EXPECT_TRUE(pointerNeedsWarp(400, 49, 800, 600));
    // At every size the pointer meets the warp before the window's last
    // pixel, and the centre it lands on is never warped again.
    for (auto [w, h] : {std::pair{320, 240}, {640, 480}, {3840, 2160}, {100, 60}}) {
        const WindowPoint c = warpPoint(w, h);
        EXPECT_FALSE(pointerNeedsWarp(c.x, c.y, w, h)) << w;
        EXPECT_TRUE(pointerNeedsWarp(w - 1, c.y, w, h) && pointerNeedsWarp(c.x, h - 1, w, h)) << w;
    }
}

TEST_F(Input, MotionInsideTheBoundsAimsAndRemembersThePointer) {
    player->turretYaw = 180.0f;
    player->gunPitch = 0.0f;
    onGameMotion(416, 324);
    EXPECT_EQ(player->turretYaw, 178.0f);
    EXPECT_EQ(player->gunPitch, 3.0f);
    EXPECT_EQ(lastMouseX, 416.0);
    EXPECT_EQ(lastMouseY, 324.0);
    // The same position again turns nothing.
    onGameMotion(416, 324);
    EXPECT_EQ(player->turretYaw, 178.0f);
    EXPECT_EQ(player->gunPitch, 3.0f);
}

TEST_F(Input, LeftPressFiresAShellThatIsCounted) {
    player->position = {10.0f, 2.0f, 20.0f};
    player->turretYaw = 90.0f;
    player->gunPitch = 3.0f;
    onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
    onGameButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_FALSE(projectiles[0]);
    onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    ASSERT_TRUE(projectiles[0]);
    EXPECT_EQ(projectiles[0]->kind, 1);
    EXPECT_EQ(projectiles[0]->timer, 5);
    EXPECT_EQ(projectiles[0]->yaw, 90.0f);
    EXPECT_EQ(projectiles[0]->pitch, 3.0f);
    EXPECT_EQ(projectiles[0]->position.y, 3.0f);
    EXPECT_EQ(GameStats.fired, 1);
}

TEST_F(Input, ShellsUseTheFirstFreeSlotAndAFullRangeNeitherFiresNorCounts) {
    for (int i = 0; i < 30; ++i) fireShell();
    EXPECT_EQ(GameStats.fired, 30);
    fireShell();
    EXPECT_EQ(GameStats.fired, 30);
    for (int i = 30; i < kProjectileSlots; ++i) EXPECT_FALSE(projectiles[i]) << i;
    projectiles[7].reset();
    fireShell();
    EXPECT_TRUE(projectiles[7]);
    EXPECT_EQ(GameStats.fired, 31);
}

TEST_F(Input, MissilesUseSlotsThirtyToThirtyTwoAndAreNotCounted) {
    player->hullHeading = 45.0f;
    for (int i = 0; i < 5; ++i) onGameKeyDown('r', 0, 0);
    for (int i = 30; i <= 32; ++i) {
        ASSERT_TRUE(projectiles[i]);
        EXPECT_EQ(projectiles[i]->kind, 2);
        EXPECT_EQ(projectiles[i]->timer, 600);
        EXPECT_EQ(projectiles[i]->yaw, 45.0f);
        EXPECT_EQ(projectiles[i]->pitch, 320.0f);
    }
    EXPECT_FALSE(projectiles[33]);
    EXPECT_FALSE(projectiles[0]);
    EXPECT_EQ(GameStats.fired, 0);
}

TEST_F(Input, GSpawnsTenEmbersInTheFirstFreeSlots) {
    player->position = {5.0f, 1.0f, 6.0f};
    explosions[1] = std::make_unique<Explosion>(Vec3{}, 20);
    onGameKeyDown('g', 0, 0);
    int embers = 0;
    for (int i = 0; i < kExplosionSlots; ++i) {
        if (!explosions[i] || explosions[i]->type != 23) continue;
        ++embers;
        EXPECT_NE(i, 1);
        EXPECT_LE(i, 10);
        EXPECT_EQ(explosions[i]->position.y, 12.0f);
        EXPECT_EQ(explosions[i]->position.x, 5.0f);
    }
    EXPECT_EQ(embers, 10);
}

TEST_F(Input, SpawnExplosionsStopsWhenTheSlotsRunOut) {
    for (int i = 0; i < 95; ++i) explosions[i] = std::make_unique<Explosion>(Vec3{}, 20);
    spawnExplosions(Vec3{}, 23, 10);
    // Five of the ten found room; the busy slots kept what they held.
    for (int i = 0; i < 95; ++i) EXPECT_EQ(explosions[i]->type, 20) << i;
    for (int i = 95; i < kExplosionSlots; ++i) EXPECT_EQ(explosions[i]->type, 23) << i;
    // A count of zero places nothing, even where a slot is free.
    explosions[3].reset();
    spawnExplosions(Vec3{}, 23, 0);
    EXPECT_FALSE(explosions[3]);
}

TEST_F(Input, AVeryLargeMoveStopsAtTheLimitItWentToward) {
    // On a tall screen one event can carry more than 180 degrees of pitch.
    EXPECT_EQ(gunPitchAfterTurn(6.0f, 232.5), 6.0f);
    EXPECT_EQ(gunPitchAfterTurn(300.0f, -232.5), 300.0f);
    EXPECT_EQ(turretYawAfterTurn(10.0f, -1000.0), 90.0f);  // 10 - 1000, brought into 0..360
}

TEST_F(Input, MovedBindingsActAndASharedKeyTakesTheFirstAction) {
    // The old keys do nothing, the new ones act, and a key with two
    // actions takes the first in the table.
    keyBindings.key[static_cast<int>(BoundAction::Forward)] = kSpecialKey + 101;  // Up
    keyBindings.key[static_cast<int>(BoundAction::Shell)] = 'f';
    keyBindings.key[static_cast<int>(BoundAction::Mute)] = 'f';
    onGameKeyDown('w', 0, 0);
    EXPECT_EQ(player->driveInput, 0);
    onGameSpecialKeyDown(101, 0, 0);
    EXPECT_EQ(player->driveInput, 1);
    onGameSpecialKeyUp(101, 0, 0);
    EXPECT_EQ(player->driveInput, 0);
    onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
    EXPECT_EQ(GameStats.fired, 0);
    onGameKeyDown('f', 0, 0);
    EXPECT_EQ(GameStats.fired, 1);

    // F12 asks for a screenshot and nothing else.
    EXPECT_FALSE(screenshotWanted);
    onGameSpecialKeyDown(12, 0, 0);
    EXPECT_TRUE(screenshotWanted);
    EXPECT_EQ(keyNamed(keyName(kSpecialKey + 12)), kSpecialKey + 12);
}

TEST_F(Input, ADevicePolledPerTickFeedsTheRecordAndTheTickAppliesIt) {
    player->turretYaw = 180.0f;
    playerActions.drive = -0.5f;
    playerActions.turn = 1.0f;
    playerActions.aimYaw = 3.0;
    playerActions.missile = 2;
    playerActions.statusReport = 1;
    runPlayerActions();
    EXPECT_EQ(player->driveInput, 2);
    EXPECT_EQ(player->turnInput, 180);
    EXPECT_EQ(player->turretYaw, 183.0f);
    EXPECT_TRUE(projectiles[kPlayerMissileFirst + 1]);
    EXPECT_TRUE(showStatus);
    // Presses and aim are used once; what is held stays held.
    runPlayerActions();
    EXPECT_FALSE(projectiles[kPlayerMissileFirst + 2]);
    EXPECT_EQ(player->turretYaw, 183.0f);
    EXPECT_TRUE(showStatus);
    EXPECT_EQ(player->driveInput, 2);
}

TEST_F(Input, TheSettingsFileReachesTheAimAndTheBindings) {
    const SettingsRead read = readSettingsText(
        "[controls]\nmouse_sensitivity = 2\ninvert_aim = true\n"
        "key_forward = up\nkey_fire_shell = f\nkey_no_such_action = q\n");
    ASSERT_TRUE(read.problems.empty());
    applyControlSettings(read.settings);
    player->turretYaw = 180.0f;
    player->gunPitch = 0.0f;
    onGameMotion(440, 340);  // 40 px right, 40 px down
    EXPECT_EQ(player->turretYaw, 170.0f);
    EXPECT_EQ(player->gunPitch, 350.0f);  // raised
    onGameSpecialKeyDown(101, 0, 0);
    EXPECT_EQ(player->driveInput, 1);
    onGameKeyDown('f', 0, 0);
    EXPECT_EQ(GameStats.fired, 1);
    onGameKeyDown('s', 0, 0);  // the bindings not in the file are the game's own
    EXPECT_EQ(player->driveInput, 2);
    // Without a file: the game's own table and aim.
    applyControlSettings(Settings{});
    onGameMotion(456, 364);
    EXPECT_EQ(player->turretYaw, 168.0f);
    EXPECT_EQ(player->gunPitch, 353.0f);
    onGameKeyDown('w', 0, 0);
    EXPECT_EQ(player->driveInput, 1);
}
