// The options panel in a real window at 640 x 480: reached from the pause
// screen by O or its button, worked with the six moves and the mouse; each
// change is in force at once and in the settings file; a key bound twice is
// drawn as a conflict; everything it draws stays inside the window.
#include "app/options_panel.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/control_settings.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/options_rows.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "gamepad/pad_device.h"
#include "settings/settings_file.h"
#include "support/gl_context.h"
#include "support/virtual_pad.h"

namespace {
constexpr int kWidth = 640, kHeight = 480;

int rowIndex(RowKind kind, BoundAction action = BoundAction::None) {
    for (int i = 0; i < kOptionRowCount; ++i)
        if (optionRow(i).kind == kind && optionRow(i).action == action) return i;
    return -1;
}

void select(int index) {
    for (int i = 0; i < kOptionRowCount && selectedOptionRow() != index; ++i)
        moveInOptionsPanel(PanelMove::Down);
    ASSERT_EQ(selectedOptionRow(), index);
}

Settings savedSettings() {
    return loadSettingsFile(playerSettingsPath,
                            [](const std::string& line) { ADD_FAILURE() << line; });
}

// Pixels of the frame (RGB, bottom row first) with red well above green and blue.
int reddish(const std::vector<unsigned char>& rgb, int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x) {
            const unsigned char* p = &rgb[((kHeight - 1 - y) * kWidth + x) * 3];
            count += p[0] > 180 && p[1] < 120 && p[2] < 120;
        }
    return count;
}

// The game's own settings, to be saved in a new folder; returns the folder.
std::string freshSettings() {
    windowWidth = kWidth;
    windowHeight = kHeight;
    char pattern[] = "/tmp/brakkon-panel-XXXXXX";
    const std::string root = mkdtemp(pattern);
    playerSettingsPath = root + "/brakkon/settings.ini";
    playerSettings = Settings{};
    applyControlSettings(playerSettings);
    return root;
}

// The pause screen drawn over black, as read back.
std::vector<unsigned char> frame() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawPauseNotice();
    std::vector<unsigned char> rgb(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
}  // namespace

TEST(OptionsPanel, ChangesApplyAtOnceAreSavedAndConflictsShow) {
    REQUIRE_GL_WINDOW(kWidth, kHeight);
    const std::string root = freshSettings();
    gamePaused = true;

    // O opens it; a click on the pause screen's button does too.
    pausedKey('o', 0, 0);
    ASSERT_TRUE(optionsPanelOpen);
    moveInOptionsPanel(PanelMove::Back);
    EXPECT_FALSE(optionsPanelOpen);
    EXPECT_TRUE(gamePaused);
    int bx = -1, by = -1;
    for (int y = 0; y < kHeight && bx < 0; ++y)
        for (int x = 0; x < kWidth && bx < 0; ++x)
            if (onOptionsButton(x, y)) bx = x, by = y;
    ASSERT_GE(bx, 0);
    pausedClick(GLUT_LEFT_BUTTON, bx, by);
    ASSERT_TRUE(optionsPanelOpen);

    select(rowIndex(RowKind::Sensitivity));
    moveInOptionsPanel(PanelMove::Right);
    moveInOptionsPanel(PanelMove::Right);
    EXPECT_DOUBLE_EQ(mouseAim.sensitivity, 1.25);
    EXPECT_DOUBLE_EQ(savedSettings().mouseSensitivity, 1.25);
    select(rowIndex(RowKind::InvertAim));
    moveInOptionsPanel(PanelMove::Activate);
    EXPECT_TRUE(mouseAim.invert);
    EXPECT_TRUE(savedSettings().invertAim);

    // Missile onto w: both rows show the clash in red, and w now fires the
    // first action bound to it.
    select(rowIndex(RowKind::Binding, BoundAction::Missile));
    moveInOptionsPanel(PanelMove::Activate);
    EXPECT_TRUE(optionsPanelTakesKeys());
    optionsPanelKey(8);  // Backspace keeps the old key
    EXPECT_FALSE(optionsPanelTakesKeys());
    EXPECT_EQ(keyBindings.key[static_cast<int>(BoundAction::Missile)], 'r');
    moveInOptionsPanel(PanelMove::Activate);
    optionsPanelKey('w');
    EXPECT_EQ(keyBindings.key[static_cast<int>(BoundAction::Missile)], 'w');
    EXPECT_EQ(savedSettings().keys.at("fire_missile"), "w");
    const auto drawn = frame();
    EXPECT_GT(reddish(drawn, 0, 0, kWidth, kHeight), 100);
    EXPECT_EQ(reddish(drawn, 0, 0, kWidth, kHeight / 4), 0);
    // Keys without a name (Home, Shift, Ctrl+W, é) and the wheel leave the row waiting.
    moveInOptionsPanel(PanelMove::Activate);
    for (InputKey key : {kSpecialKey + GLUT_KEY_HOME, kSpecialKey + 112, 23, 0xE9})
        optionsPanelKey(key);
    pausedClick(3, 0, 0);
    EXPECT_TRUE(optionsPanelTakesKeys());
    optionsPanelKey(8);

    // Over Restore defaults the right button does nothing, the wheel moves the choice.
    int y = 0;
    for (; y < kHeight && selectedOptionRow() != rowIndex(RowKind::RestoreDefaults); ++y)
        optionsPanelPoint(kWidth / 2, y);
    pausedClick(GLUT_RIGHT_BUTTON, kWidth / 2, y);
    pausedClick(4, kWidth / 2, y);
    EXPECT_EQ(selectedOptionRow(), rowIndex(RowKind::Back));
    EXPECT_EQ(savedSettings().keys.at("fire_missile"), "w");

    // m mutes unsaved; the Mute row shows it and turns over what is heard.
    pressBoundKey('m');
    select(rowIndex(RowKind::Mute));
    const auto mutedByKey = frame();
    moveInOptionsPanel(PanelMove::Activate);
    EXPECT_FALSE(playerMuted);
    moveInOptionsPanel(PanelMove::Activate);
    EXPECT_TRUE(savedSettings().muted);
    EXPECT_EQ(frame(), mutedByKey);

    // A click on a row's right arrow steps it; Restore defaults puts it all back.
    moveInOptionsPanel(PanelMove::Up);  // away from a binding row
    select(rowIndex(RowKind::RestoreDefaults));
    moveInOptionsPanel(PanelMove::Activate);
    EXPECT_DOUBLE_EQ(mouseAim.sensitivity, 1.0);
    EXPECT_FALSE(mouseAim.invert);
    EXPECT_EQ(keyBindings.key[static_cast<int>(BoundAction::Missile)], 'r');
    Settings expected = savedSettings();
    expected.keys.clear();
    EXPECT_EQ(expected, Settings{});

    // Keys go to the panel while it is open; Backspace goes back to the
    // pause screen, where any other key plays on.
    pausedKey('x', 0, 0);
    EXPECT_TRUE(optionsPanelOpen);
    optionsPanelKey(8);
    EXPECT_FALSE(optionsPanelOpen);
    pausedKey('x', 0, 0);
    EXPECT_FALSE(gamePaused);
    EXPECT_FALSE(optionsPanelOpen);
    gamePaused = false;
    std::system(("rm -rf '" + root + "'").c_str());
}

TEST(OptionsPanel, APadAloneOpensItBindsAButtonSwitchesRumbleAndPlaysOn) {
    REQUIRE_GL_WINDOW(kWidth, kHeight);
    const std::string root = freshSettings();
    playStarted = true;
    gamePaused = true;
    startGamepad();
    ASSERT_TRUE(padsStarted());
    VirtualPad pad;
    pad.attach();
    const auto tap = [&pad](SDL_GameControllerButton b) {
        pad.button(b, true);
        pad.button(b, false);
    };
    const auto selectByPad = [&tap](int index) {
        for (int i = 0; i < kOptionRowCount && selectedOptionRow() != index; ++i)
            tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        ASSERT_EQ(selectedOptionRow(), index);
    };

    tap(SDL_CONTROLLER_BUTTON_Y);
    ASSERT_TRUE(optionsPanelOpen);
    // A on the shell's row, then the right shoulder: the shoulder now fires
    // shells, in force and in the file, and clashes with the missile.
    selectByPad(rowIndex(RowKind::Binding, BoundAction::Shell));
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(optionsPanelTakesKeys());
    tap(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_FALSE(optionsPanelTakesKeys());
    EXPECT_EQ(gamepadSettings.shell, PadControl::RightShoulder);
    EXPECT_EQ(savedSettings().padButtons.at("fire_shell"), "rightshoulder");
    EXPECT_EQ(padConflictOf(playerSettings, BoundAction::Missile), BoundAction::Shell);
    EXPECT_GT(reddish(frame(), 0, 0, kWidth, kHeight), 100);

    // The stick drives its rows: a button cannot, so it gives the choice up.
    selectByPad(rowIndex(RowKind::Binding, BoundAction::Forward));
    tap(SDL_CONTROLLER_BUTTON_A);
    tap(SDL_CONTROLLER_BUTTON_X);
    EXPECT_FALSE(optionsPanelTakesKeys());
    EXPECT_EQ(savedSettings().padButtons.count("forward"), 0u);

    // Right on the rumble row turns it off at once.
    selectByPad(rowIndex(RowKind::Rumble));
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_FALSE(gamepadSettings.rumble);
    EXPECT_FALSE(savedSettings().rumble);

    // B goes back to the notice, Start plays on.
    tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(optionsPanelOpen);
    EXPECT_TRUE(gamePaused);
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_FALSE(gamePaused);
    pad.detach();
    stopPads();
    gamepadSettings = GamepadSettings{};
    gameEvents = nullptr;
    playStarted = false;
    std::system(("rm -rf '" + root + "'").c_str());
}
