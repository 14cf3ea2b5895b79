// Pausing: what stops, what is cleared, what resumes, and which window
// events count as the player looking away.
#include "app/pause.h"

#include <GL/freeglut.h>

#include "app/focus_watch.h"
#include "app/input.h"
#include "shell_fixture.h"

// After the test framework: Xlib defines None, a name the framework uses.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
struct Pause : ShellTest {
    void SetUp() override {
        ShellTest::SetUp();
        gamePaused = false;
        player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
        projectiles[40] = std::make_unique<Projectile>(0.0f, 0.0f, Vec3{5, 5, 5}, 4, 0);
        projectiles[40]->timer = 500;
    }
    void TearDown() override {
        gamePaused = false;
        ShellTest::TearDown();
    }
};

bool playerFiredNothing() {
    for (int i = kPlayerShellFirst; i <= kPlayerMissileLast; ++i)
        if (projectiles[i]) return false;
    return GameStats.fired == 0;
}
}  // namespace

TEST_F(Pause, NothingMovesWhilePausedAndTheResumingActDoesNothingElse) {
    onGameKeyDown('w', 0, 0);
    onGameKeyDown('a', 0, 0);
    ASSERT_TRUE(tickUnlessPaused());
    pauseGame();
    EXPECT_EQ(player->driveInput, 0);  // every held key counts as released
    EXPECT_EQ(player->turnInput, 0);
    const PlayerTank tank = *player;
    const Vec3 shell = projectiles[40]->position;
    const int ticks = GameStats.tickCount;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(tickUnlessPaused());
    onGameMotion(700, 500);  // the pointer is the desktop's: no aim
    EXPECT_EQ(player->position.x, tank.position.x);
    EXPECT_EQ(player->hullHeading, tank.hullHeading);
    EXPECT_EQ(player->turretYaw, tank.turretYaw);
    EXPECT_EQ(projectiles[40]->position.y, shell.y);
    EXPECT_EQ(GameStats.tickCount, ticks);

    // The resuming click fires nothing; aiming goes on from where it was.
    onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 123, 45);
    onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, 123, 45);
    EXPECT_TRUE(playerFiredNothing());
    EXPECT_EQ(lastMouseX, 123.0);
    EXPECT_EQ(lastMouseY, 45.0);
    EXPECT_TRUE(tickUnlessPaused());

    // Tab pauses; any key but Esc then only resumes.
    onGameKeyDown(kPauseKey, 0, 0);
    EXPECT_TRUE(gamePaused);
    onGameKeyDown('r', 0, 0);
    EXPECT_FALSE(gamePaused);
    EXPECT_TRUE(playerFiredNothing());
    pauseGame();
    EXPECT_EXIT(onGameKeyDown(kEscapeKey, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST(WindowNewsTest, LookingAwayIsFocusLostUnmappedCoveredOrLeftWhenWindowed) {
    const auto lost = [](int type, int mode, bool windowed = true, KeySym key = NoSymbol) {
        XEvent e{};
        e.type = type;
        if (type == FocusIn || type == FocusOut) e.xfocus.mode = mode;
        if (type == EnterNotify || type == LeaveNotify) e.xcrossing.mode = mode;
        if (type == VisibilityNotify) e.xvisibility.state = mode;
        WindowNews news;
        noteWindowEvent(e, key, windowed, news);
        return type == KeyPress ? news.pauseKey : news.lost;
    };
    EXPECT_TRUE(lost(FocusOut, NotifyNormal));
    EXPECT_TRUE(gameWindowAway());
    EXPECT_FALSE(lost(FocusIn, NotifyNormal));
    EXPECT_FALSE(gameWindowAway());
    EXPECT_FALSE(lost(FocusOut, NotifyGrab));  // a grab keeps the focus where it is
    EXPECT_TRUE(lost(UnmapNotify, 0));
    EXPECT_TRUE(lost(VisibilityNotify, VisibilityFullyObscured));
    EXPECT_FALSE(lost(VisibilityNotify, VisibilityPartiallyObscured));
    EXPECT_TRUE(lost(LeaveNotify, NotifyNormal));
    EXPECT_FALSE(lost(LeaveNotify, NotifyNormal, false));  // full screen
    EXPECT_FALSE(lost(LeaveNotify, NotifyGrab));
    EXPECT_TRUE(lost(KeyPress, 0, false, XK_Pause));
    EXPECT_FALSE(lost(KeyPress, 0, false, XK_Tab));
}
