// Pausing: what stops, what is cleared, what resumes, and which window
// events count as the player looking away.
#include "app/pause.h"

#include <GL/freeglut.h>

#include "app/focus_watch.h"
#include "app/input.h"
#include "support/shell_fixture.h"

// After the test framework: Xlib defines None, a name the framework uses.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
struct Pause : ShellTest {
    void SetUp() override {
        ShellTest::SetUp();
        gamePaused = false;
        player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    }
    void TearDown() override {
        gamePaused = false;
        ShellTest::TearDown();
    }
};
}  // namespace

TEST_F(Pause, NothingMovesWhilePausedAndTheResumingActDoesNothingElse) {
    onGameKeyDown('w', 0, 0);
    onGameKeyDown('a', 0, 0);
    ASSERT_TRUE(tickUnlessPaused());
    pauseGame();
    EXPECT_EQ(player->driveInput, 0);  // every held key counts as released
    EXPECT_EQ(player->turnInput, 0);
    const PlayerTank tank = *player;
    const int ticks = GameStats.tickCount;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(tickUnlessPaused());
    onGameMotion(700, 500);  // the pointer is the desktop's: no aim
    EXPECT_EQ(player->position.x, tank.position.x);
    EXPECT_EQ(player->hullHeading, tank.hullHeading);
    EXPECT_EQ(player->turretYaw, tank.turretYaw);
    EXPECT_EQ(GameStats.tickCount, ticks);

    // The resuming click fires nothing; aiming goes on from where it was.
    onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 123, 45);
    onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, 123, 45);
    EXPECT_EQ(GameStats.fired, 0);
    EXPECT_EQ(lastMouseX, 123.0);
    EXPECT_EQ(lastMouseY, 45.0);
    EXPECT_TRUE(tickUnlessPaused());

    // Tab pauses; any key but Esc then only resumes.
    onGameKeyDown(kPauseKey, 0, 0);
    EXPECT_TRUE(gamePaused);
    onGameKeyDown('r', 0, 0);
    EXPECT_FALSE(gamePaused);
    EXPECT_FALSE(projectiles[kPlayerMissileFirst]);
    pauseGame();
    EXPECT_EXIT(onGameKeyDown(kEscapeKey, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST(WindowNewsTest, LookingAwayIsFocusLostUnmappedCoveredOrLeftWhenWindowed) {
    struct Case {
        int type, mode;
        bool windowed, lost;
    };
    // A grab keeps the focus where it is; the pointer leaving counts in a window only.
    for (const Case c : {Case{FocusOut, NotifyNormal, false, true},
                         {FocusOut, NotifyGrab, true, false},
                         {UnmapNotify, 0, false, true},
                         {VisibilityNotify, VisibilityPartiallyObscured, true, false},
                         {LeaveNotify, NotifyNormal, true, true},
                         {LeaveNotify, NotifyNormal, false, false},
                         {FocusIn, NotifyNormal, true, false}}) {
        XEvent e{};
        e.type = c.type;
        e.xfocus.mode = e.xcrossing.mode = e.xvisibility.state = c.mode;
        WindowNews news;
        noteWindowEvent(e, NoSymbol, c.windowed, news);
        EXPECT_EQ(news.lost, c.lost) << c.type << " " << c.mode;
        EXPECT_TRUE(gameWindowAway() || !c.lost);
    }
    EXPECT_FALSE(gameWindowAway());  // the focus came back last
}
