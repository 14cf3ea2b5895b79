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
class Pause : public ShellTest {
protected:
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

bool noPlayerShotOrMissile() {
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
    // Every held key counts as released.
    EXPECT_EQ(player->driveInput, 0);
    EXPECT_EQ(player->turnInput, 0);

    const Vec3 tank = player->position, shell = projectiles[40]->position;
    const float heading = player->hullHeading, yaw = player->turretYaw;
    const int ticks = GameStats.tickCount;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(tickUnlessPaused());
    // The pointer is the desktop's: moves neither aim nor are remembered.
    onGameMotion(700, 500);
    onGameMotion(10, 10);
    EXPECT_EQ(player->position.x, tank.x);
    EXPECT_EQ(player->position.z, tank.z);
    EXPECT_EQ(player->hullHeading, heading);
    EXPECT_EQ(player->turretYaw, yaw);
    EXPECT_EQ(projectiles[40]->position.x, shell.x);
    EXPECT_EQ(GameStats.tickCount, ticks);
    EXPECT_EQ(lastMouseX, 400.0);

    // The resuming click fires nothing, and aiming goes on from where it was.
    onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 123, 45);
    EXPECT_FALSE(gamePaused);
    onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, 123, 45);
    EXPECT_TRUE(noPlayerShotOrMissile());
    EXPECT_EQ(lastMouseX, 123.0);
    EXPECT_EQ(lastMouseY, 45.0);
    EXPECT_TRUE(tickUnlessPaused());
    EXPECT_EQ(GameStats.tickCount, ticks + 1);

    // Tab pauses; any key but Esc then only resumes.
    onGameKeyDown(kPauseKey, 0, 0);
    EXPECT_TRUE(gamePaused);
    onGameKeyDown('r', 0, 0);
    EXPECT_FALSE(gamePaused);
    onGameKeyUp('r', 0, 0);
    EXPECT_TRUE(noPlayerShotOrMissile());
    onGameKeyDown(kPauseKey, 0, 0);
    onGameKeyDown(kPauseKey, 0, 0);
    EXPECT_FALSE(gamePaused);
    pauseGame();
    EXPECT_EXIT(onGameKeyDown(kEscapeKey, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST(WindowNewsTest, LookingAwayIsFocusLostUnmappedCoveredOrLeftWhenWindowed) {
    const auto news = [](int type, int mode, int detail, bool windowed, KeySym key = NoSymbol) {
        XEvent e{};
        e.type = type;
        if (type == FocusIn || type == FocusOut) {
            e.xfocus.mode = mode;
            e.xfocus.detail = detail;
        } else if (type == EnterNotify || type == LeaveNotify) {
            e.xcrossing.mode = mode;
            e.xcrossing.detail = detail;
        } else if (type == VisibilityNotify) {
            e.xvisibility.state = mode;
        } else if (type == KeyPress) {
            e.xkey.x = 17;
            e.xkey.y = 19;
        }
        WindowNews n;
        noteWindowEvent(e, key, windowed, n);
        return n;
    };
    EXPECT_TRUE(news(FocusOut, NotifyNormal, NotifyNonlinear, false).lost);
    EXPECT_TRUE(gameWindowAway());
    EXPECT_FALSE(news(FocusIn, NotifyNormal, NotifyNonlinear, false).lost);
    EXPECT_FALSE(gameWindowAway());
    // A grab keeps the focus where it is.
    EXPECT_FALSE(news(FocusOut, NotifyGrab, NotifyNonlinear, false).lost);
    EXPECT_FALSE(news(FocusOut, NotifyNormal, NotifyInferior, false).lost);
    EXPECT_TRUE(news(UnmapNotify, 0, 0, false).lost);
    EXPECT_FALSE(news(MapNotify, 0, 0, false).lost);
    EXPECT_FALSE(gameWindowAway());
    EXPECT_TRUE(news(VisibilityNotify, VisibilityFullyObscured, 0, false).lost);
    EXPECT_FALSE(news(VisibilityNotify, VisibilityPartiallyObscured, 0, false).lost);
    // The pointer leaving counts in a window only, and not while grabbed.
    EXPECT_TRUE(news(LeaveNotify, NotifyNormal, NotifyAncestor, true).lost);
    EXPECT_FALSE(news(LeaveNotify, NotifyNormal, NotifyAncestor, false).lost);
    EXPECT_FALSE(news(LeaveNotify, NotifyGrab, NotifyAncestor, true).lost);
    EXPECT_FALSE(news(EnterNotify, NotifyNormal, NotifyAncestor, true).lost);
    EXPECT_FALSE(gameWindowAway());

    const WindowNews pause = news(KeyPress, 0, 0, false, XK_Pause);
    EXPECT_TRUE(pause.pauseKey);
    EXPECT_EQ(pause.keyX, 17);
    EXPECT_EQ(pause.keyY, 19);
    EXPECT_FALSE(news(KeyPress, 0, 0, false, XK_Tab).pauseKey);
}
