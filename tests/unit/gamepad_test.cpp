// Pads: the mapping from a pad's state to the player's actions, and the
// whole path from a virtual SDL pad through the shell into the game.
#include <vector>

#include "app/gamepad_input.h"
#include "app/input.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "game/hit_test.h"
#include "gamepad/pad_rumble.h"
#include "gamepad/pad_settings.h"
#include "support/shell_fixture.h"
#include "support/virtual_pad.h"

namespace {
float axis(const PadState& pad, PadAxis a) { return pad.axis[static_cast<int>(a)]; }
void tilt(PadState& pad, PadAxis a, float v) { recordAxis(pad, a, v); }
void press(PadState& pad, PadControl c) {
    recordButton(pad, c, true);
    recordButton(pad, c, false);
}
}  // namespace

TEST(PadMapping, SticksChangeDriveAndTurnByZoneAndAimInProportion) {
    PadState pad;
    PadMemory memory;
    GamepadSettings settings;
    // Inside the dead zone nothing changes: held keys keep their say.
    tilt(pad, PadAxis::LeftY, -0.2f);
    tilt(pad, PadAxis::RightX, 0.25f);
    PadActions a = mapPad(pad, memory, settings);
    EXPECT_FALSE(a.driveChanged);
    EXPECT_FALSE(a.turnChanged);
    EXPECT_EQ(a.aimX, 0.0);
    // Up drives forward once, as w going down; further travel says nothing new.
    tilt(pad, PadAxis::LeftY, -0.6f);
    a = mapPad(pad, memory, settings);
    EXPECT_TRUE(a.driveChanged);
    EXPECT_EQ(a.drive, 1.0f);
    EXPECT_EQ(a.up, 1);
    tilt(pad, PadAxis::LeftY, -1.0f);
    EXPECT_FALSE(mapPad(pad, memory, settings).driveChanged);
    // Straight from up to down reverses; back to the centre stops.
    tilt(pad, PadAxis::LeftY, 0.9f);
    EXPECT_EQ(mapPad(pad, memory, settings).drive, -1.0f);
    tilt(pad, PadAxis::LeftY, 0.0f);
    a = mapPad(pad, memory, settings);
    EXPECT_TRUE(a.driveChanged);
    EXPECT_EQ(a.drive, 0.0f);
    // Left turns as a does, right as d.
    tilt(pad, PadAxis::LeftX, -0.7f);
    EXPECT_EQ(mapPad(pad, memory, settings).turn, 1.0f);
    tilt(pad, PadAxis::LeftX, 0.7f);
    EXPECT_EQ(mapPad(pad, memory, settings).turn, -1.0f);
    // The right stick aims in proportion to deflection and sensitivity.
    tilt(pad, PadAxis::RightX, 0.5f);
    tilt(pad, PadAxis::RightY, -1.0f);
    a = mapPad(pad, memory, settings);
    EXPECT_DOUBLE_EQ(a.aimX, 0.5 * kStickPixelsPerPass);
    EXPECT_DOUBLE_EQ(a.aimY, -kStickPixelsPerPass);
    settings.stickSensitivity = 2.5f;
    EXPECT_DOUBLE_EQ(mapPad(pad, memory, settings).aimX, 1.25 * kStickPixelsPerPass);
    EXPECT_EQ(axis(pad, PadAxis::RightX), 0.5f);
}

TEST(PadMapping, EveryPressCountsOnceAndTriggersNeedAReleaseBetweenShots) {
    PadState pad;
    PadMemory memory;
    GamepadSettings settings;
    // A trigger wobbling above a quarter is one press, however long held.
    for (float v : {0.3f, 0.6f, 0.4f, 0.9f, 0.3f, 1.0f}) tilt(pad, PadAxis::RightTrigger, v);
    tilt(pad, PadAxis::RightTrigger, 0.1f);
    tilt(pad, PadAxis::RightTrigger, 0.55f);
    press(pad, PadControl::RightShoulder);
    press(pad, PadControl::Back);
    press(pad, PadControl::Back);
    recordButton(pad, PadControl::A, true);
    recordButton(pad, PadControl::A, true);  // a repeated down is no new press
    PadActions a = mapPad(pad, memory, settings);
    EXPECT_EQ(a.shell, 2);
    EXPECT_EQ(a.missile, 1);
    EXPECT_EQ(a.status, 2);
    EXPECT_EQ(a.choose, 1);
    EXPECT_EQ(a.slowMotion + a.embers + a.mute + a.pause + a.back + a.start, 0);
    // Presses are read once.
    a = mapPad(pad, memory, settings);
    EXPECT_EQ(a.shell + a.missile + a.status + a.choose, 0);
    // Rebound: the shoulder fires shells and the trigger does nothing bound.
    settings.shell = PadControl::RightShoulder;
    settings.missile = PadControl::None;
    tilt(pad, PadAxis::RightTrigger, 0.0f);
    tilt(pad, PadAxis::RightTrigger, 1.0f);
    press(pad, PadControl::RightShoulder);
    press(pad, PadControl::DpadDown);
    a = mapPad(pad, memory, settings);
    EXPECT_EQ(a.shell, 1);
    EXPECT_EQ(a.missile, 0);
    EXPECT_EQ(a.down, 1);
    // Bound by action name, as the settings file does; the sticks' actions
    // have no button.
    *padBinding(settings, BoundAction::Screenshot) = PadControl::Guide;
    press(pad, PadControl::Guide);
    EXPECT_EQ(mapPad(pad, memory, settings).screenshot, 1);
    EXPECT_EQ(padBinding(settings, BoundAction::Forward), nullptr);
    PadControl control;
    ASSERT_TRUE(padControlFromName("righttrigger", control));
    EXPECT_EQ(control, PadControl::RightTrigger);
    EXPECT_STREQ(padControlName(PadControl::DpadLeft), "dpleft");
    EXPECT_FALSE(padControlFromName("RightTrigger", control));
}

TEST(PadMapping, TheSettingsFileBindsButtonsByActionNameAndRefusesWhatItCannotUse) {
    const SettingsRead read = readSettingsText(
        "[gamepad]\nbutton_fire_shell = a\nbutton_forward = b\nbutton_fly = x\n"
        "button_pause = trigger\nstick_sensitivity = 20\nrumble = off\n");
    ASSERT_EQ(read.problems.size(), 2u);
    EXPECT_EQ(read.problems[0].line, 5);
    EXPECT_EQ(read.problems[1].line, 6);
    const GamepadSettings pad = gamepadSettingsFrom(read.settings);
    EXPECT_EQ(pad.shell, PadControl::A);
    EXPECT_EQ(pad.pause, PadControl::Start);  // the bad name kept the game's own
    EXPECT_EQ(pad.stickSensitivity, 1.0f);
    EXPECT_FALSE(pad.rumble);
    // The stick's actions and unknown ones take no button.
    EXPECT_EQ(boundPadControl(read.settings, BoundAction::Forward), PadControl::None);
    Settings s = read.settings;
    bindPadControl(s, BoundAction::TurnLeft, PadControl::X);
    EXPECT_EQ(s.padButtons.count("turn_left"), 0u);
    // Written back, a binding let go of leaves the file.
    s.padButtons.clear();
    s.rumble = true;
    EXPECT_EQ(writeSettingsText("[gamepad]\nbutton_fire_shell = a\nrumble = off\n", s),
              "[gamepad]\nrumble = true\n");
}

namespace {
// A pass of the idle callback before play, of the game timer during it.
void timerPass() {
    pollGamepad();
    if (playStarted) tickUnlessPaused();
}

class Gamepad : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        gamePaused = false;
        gamepadSettings = GamepadSettings{};
        player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
        startGamepad();
        ASSERT_TRUE(padsStarted());
        pad.pass = timerPass;
        pad.attach();
    }
    void TearDown() override {
        if (pad.joystick) pad.detach();
        stopPads();
        mouseAim = MouseAim{};
        gameEvents = nullptr;
        gamePaused = false;
        playStarted = false;
        ShellTest::TearDown();
    }
    VirtualPad pad;
};
}  // namespace

TEST_F(Gamepad, LeftStickDrivesAndRightStickAimsAsKeysAndMouseDo) {
    playStarted = true;
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    EXPECT_EQ(player->driveInput, 1);
    pad.stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(player->turnInput, -180);
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(player->driveInput, 2);
    pad.stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(player->turnInput, 0);
    EXPECT_EQ(player->driveInput, 0);

    // Half a deflection to the right for one pass turns the turret as
    // 16 pixels of mouse to the right; twice the sensitivity, twice that.
    const float yaw = player->turretYaw;
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 16384);
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    EXPECT_NEAR(player->turretYaw, turretYawAfterTurn(yaw, -2.0), 1e-3);
    // Twice the stick sensitivity and twice the mouse's turn twice as far;
    // down lowers the gun unless the aim is inverted.
    gamepadSettings.stickSensitivity = 2.0f;
    mouseAim.sensitivity = 2.0;
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 16384);
    EXPECT_NEAR(player->turretYaw, turretYawAfterTurn(yaw, -2.0 - 8.0), 1e-3);
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    const float pitch = player->gunPitch;
    mouseAim.invert = true;
    pad.stick(SDL_CONTROLLER_AXIS_RIGHTY, 16384);
    EXPECT_NEAR(player->gunPitch, gunPitchAfterTurn(pitch, -8.0), 1e-3);
}

TEST_F(Gamepad, TheTriggerFiresOneShellPerPress) {
    playStarted = true;
    // The virtual pad's trigger rests at the axis minimum.
    for (int shot = 1; shot <= 3; ++shot) {
        pad.stick(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX);
        pad.stick(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);  // half way: still held
        pad.pass();
        EXPECT_EQ(GameStats.fired, shot);
        pad.stick(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    }
    int shells = 0;
    for (int slot = kPlayerShellFirst; slot <= kPlayerShellLast; ++slot)
        shells += !!projectiles[slot];
    EXPECT_EQ(shells, 3);
}

TEST_F(Gamepad, AOnTheMenuBeginsAndUnpluggingPausesUntilAPadSaysGoOn) {
    screenState = ScreenState::Intro;
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    pad.button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(screenState, ScreenState::Intro);  // the intro takes no presses
    screenState = ScreenState::Menu;
    pad.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(screenState, ScreenState::Loading);

    playStarted = true;
    pad.stick(SDL_CONTROLLER_AXIS_LEFTY, -32767);
    ASSERT_EQ(player->driveInput, 1);
    pad.detach();
    pad.pass();
    EXPECT_TRUE(gamePaused);
    EXPECT_EQ(player->driveInput, 0);
    EXPECT_EQ(padsOpen(), 0);
    // Plugged in again it works at once: Start plays on.
    pad.attach();
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_FALSE(gamePaused);
    pad.button(SDL_CONTROLLER_BUTTON_START, false);
    pad.button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(gamePaused);
}

TEST_F(Gamepad, AHitOnThePlayerRumblesStronglyAShotFaintlyAndRumbleOffIsSilent) {
    playStarted = true;
    fakeClockMs() = 1000;
    ASSERT_TRUE(hitTest(player->position, 0.0f, HitKind::EnemyShell, -1));
    fireShell();  // within the hit's pulse: no faint pulse cuts it short
    fakeClockMs() = 2000;
    fireShell();
    pollGamepad();
    EXPECT_EQ(pad.rumbles, (std::vector<Uint16>{kHitPulse.low, kShotPulse.low}));
    gamepadSettings.rumble = false;
    pad.rumbles.clear();
    fakeClockMs() = 3000;
    hitTest(player->position, 0.0f, HitKind::EnemyShell, -1);
    fireShell();
    pollGamepad();
    EXPECT_TRUE(pad.rumbles.empty());
}
