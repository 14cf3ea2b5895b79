// A move that reaches the game after another window took the focus, before
// the next tick could notice: it neither aims nor warps the pointer.
#include <gtest/gtest.h>

#include "app/focus_watch.h"
#include "app/input.h"
#include "app/pause.h"
#include "support/gl_context.h"
#include "support/shell_fixture.h"

// After the test framework: Xlib defines None, a name the framework uses.
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {
struct PointerAt {
    int x, y;
};
PointerAt pointerOn(Display* d) {
    Window root, child;
    int x, y, wx, wy;
    unsigned mask;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
    return {x, y};
}
bool operator==(PointerAt a, PointerAt b) { return a.x == b.x && a.y == b.y; }
}  // namespace

TEST(FocusRaceGl, AMoveAfterTheFocusLeftNeitherAimsNorWarps) {
    REQUIRE_GL_WINDOW(400, 300);
    resetProgramState();
    windowWidth = 400;
    windowHeight = 300;
    startFocusWatch(false);
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Window game = glXGetCurrentDrawable();
    int gameX, gameY;
    Window child;
    XTranslateCoordinates(d, game, DefaultRootWindow(d), 0, 0, &gameX, &gameY, &child);
    XSetInputFocus(d, game, RevertToPointerRoot, CurrentTime);
    XSync(d, False);
    readWindowNews();
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});
    lastMouseX = 200;
    lastMouseY = 150;

    // With the focus: a move aims, one near the edge warps to the centre.
    onGameMotion(240, 150);
    EXPECT_NE(player->turretYaw, 0.0f);
    XWarpPointer(d, 0, game, 0, 0, 0, 0, 395, 150);
    XSync(d, False);
    onGameMotion(395, 150);
    EXPECT_TRUE(pointerOn(d) == (PointerAt{gameX + 200, gameY + 150}));

    // Another window takes the focus; the moves come before any tick.
    const Window other = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 20, 20, 0, 0, 0);
    XMapWindow(d, other);
    XSync(d, False);
    XSetInputFocus(d, other, RevertToPointerRoot, CurrentTime);
    XWarpPointer(d, 0, game, 0, 0, 0, 0, 3, 3);
    XSync(d, False);
    const float yaw = player->turretYaw, pitch = player->gunPitch;
    onGameMotion(3, 3);
    onGameMotion(250, 160);
    EXPECT_EQ(player->turretYaw, yaw);
    EXPECT_EQ(player->gunPitch, pitch);
    EXPECT_TRUE(pointerOn(d) == (PointerAt{gameX + 3, gameY + 3}));
    // The news stay for the tick, which pauses.
    EXPECT_FALSE(tickUnlessPaused());
    EXPECT_TRUE(gamePaused);

    // Back, playing by position: a key pressed just before the focus left
    // again, read after that pause, does not play on unseen.
    XSetInputFocus(d, game, RevertToPointerRoot, CurrentTime);
    XSync(d, False);
    resumeGame(0, 0);
    ASSERT_FALSE(gamePaused);
    ASSERT_TRUE(setKeysByPosition(true));
    XEvent press{};
    press.xkey = {KeyPress, 0, False, d, game, DefaultRootWindow(d),     0,   CurrentTime,
                  1,        1, 1,     1, 0,    XKeysymToKeycode(d, 'w'), True};
    XSendEvent(d, game, True, KeyPressMask, &press);
    XSetInputFocus(d, other, RevertToPointerRoot, CurrentTime);
    XSync(d, False);
    EXPECT_FALSE(tickUnlessPaused());
    EXPECT_TRUE(gamePaused);
    setKeysByPosition(false);

    XSetInputFocus(d, PointerRoot, RevertToPointerRoot, CurrentTime);
    XDestroyWindow(d, other);
    XCloseDisplay(d);
    gamePaused = false;
    resetProgramState();
}
