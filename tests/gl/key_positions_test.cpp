// Keys by position under a French (AZERTY) layout: the key where a US
// keyboard has w types z there and still drives forward; the one where US
// has a types q and still turns left; shifted or not makes no difference.
#include "app/key_positions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/control_settings.h"
#include "app/input.h"
#include "app/options_panel.h"
#include "app/options_rows.h"
#include "app/pause.h"
#include "settings/settings_file.h"
#include "support/gl_context.h"
#include "support/shell_fixture.h"

// Last: Xlib defines None, a name the game and the test framework use.
#include <GL/glx.h>

namespace {
std::string layoutNow() {
    std::string layout = "us";
    if (FILE* p = popen("setxkbmap -query", "r")) {
        char line[256];
        while (fgets(line, sizeof line, p)) {
            if (std::sscanf(line, "layout: %63s", line) == 1) layout = line;
        }
        pclose(p);
    }
    return layout;
}

// The display's layout for the test's length, then the one it had.
struct Layout {
    std::string before = layoutNow();
    explicit Layout(const char* layout) { set(layout); }
    ~Layout() { set(before.c_str()); }
    static void set(const std::string& layout) {
        EXPECT_EQ(std::system(("setxkbmap " + layout).c_str()), 0) << layout;
    }
};

// Sends a key to the game window as typed on the layout in force, and
// waits for the window watch to report it.
std::vector<PositionKey> type(const char* how, const char* keysym) {
    const auto window = static_cast<unsigned long>(glXGetCurrentDrawable());
    const std::string command =
        "xdotool " + std::string(how) + " --window " + std::to_string(window) + " " + keysym;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<PositionKey> keys;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (keys.empty() && std::chrono::steady_clock::now() < until) {
        keys = readWindowNews().keys;
        if (keys.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return keys;
}
}  // namespace

TEST(KeyPositionNames, TheUsRowsAndNamedKeys) {
    EXPECT_EQ(usKeyAtPosition("AD02"), 'w');
    EXPECT_EQ(usKeyAtPosition("AC01"), 'a');
    EXPECT_EQ(usKeyAtPosition("AB07"), 'm');
    EXPECT_EQ(usKeyAtPosition("AE10"), '0');
    EXPECT_EQ(usKeyAtPosition("SPCE"), ' ');
    EXPECT_EQ(usKeyAtPosition("TAB\0"), '\t');
    EXPECT_EQ(usKeyAtPosition("FK12"), kSpecialKey + 12);
    for (const char* nothing : {"AB11", "AD13", "ESC\0", "CAPS", "LFSH", "FK13", "A\0\0\0"})
        EXPECT_EQ(usKeyAtPosition(nothing), kNoKey) << nothing;
}

TEST(KeyPositions, AzertyKeysDriveByWhereTheySit) {
    REQUIRE_GL_WINDOW();
    resetProgramState();
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    Layout french("fr");
    ASSERT_TRUE(startFocusWatch(true, true));
    playerSettings.keysByPosition = true;
    applyControlSettings(playerSettings);

    auto keys = type("keydown", "z");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, 'w');
    EXPECT_TRUE(keys[0].pressed);
    runPositionKeys(keys);
    EXPECT_EQ(player->driveInput, 1);
    // The letter it types does nothing by itself.
    onGameKeyDown('z', 0, 0);
    onGameKeyUp('w', 0, 0);
    EXPECT_EQ(player->driveInput, 1);
    runPositionKeys(type("keyup", "z"));
    EXPECT_EQ(player->driveInput, 0);

    // Shifted (as with Caps Lock), the position still counts.
    keys = type("keydown", "Q");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, 'a');
    runPositionKeys(keys);
    EXPECT_EQ(player->turnInput, 180);
    runPositionKeys(type("keyup", "Q"));
    EXPECT_EQ(player->turnInput, 0);

    // Paused, F1 and the arrows do not play on, F12 keeps a screenshot, and
    // the panel binds the key at the US w spot as w, not as the z it types.
    const auto tap = [](const char* keysym) {
        runPositionKeys(type("keydown", keysym));
        runPositionKeys(type("keyup", keysym));
    };
    pauseGame();
    for (const char* key : {"F1", "Left", "F12", "o"}) tap(key);
    EXPECT_TRUE(screenshotWanted);
    ASSERT_TRUE(optionsPanelOpen);
    while (optionRow(selectedOptionRow()).action != BoundAction::Missile)
        moveInOptionsPanel(PanelMove::Down);
    moveInOptionsPanel(PanelMove::Activate);
    onGameKeyDown('z', 0, 0);
    tap("z");
    EXPECT_EQ(playerSettings.keys.at("fire_missile"), "w");
    closeOptionsPanel();
    gamePaused = screenshotWanted = false;
    resetProgramState();
}
