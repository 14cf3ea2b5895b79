#include "app/screen_flow.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <fstream>
#include <iostream>
#include <iterator>

#include "app/display_options.h"
#include "app/fight_recording.h"
#include "app/game_frame.h"
#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/level_setup.h"
#include "app/match_news.h"
#include "app/overlay2d.h"
#include "app/pause.h"
#include "app/play_pace.h"
#include "app/replay_watch.h"
#include "app/screenshot.h"
#include "app/timing.h"
#include "assets/asset_names.h"
#include "assets/screen_fit.h"
#include "game/game_events.h"
#include "game/game_tick.h"
#include "platform/clock.h"

bool playStarted = false;
void (*levelSetupRoutine)() = setupLevel;

namespace {

// One screen's picture in each shape. The 4:3 one is loaded at start; a
// wider one the first time a window of its shape shows the screen. A wider
// one that cannot be read leaves its shape to the 4:3 picture.
struct ScreenPictures {
    const TextureLoader& standard;
    const char* const* names;
    TextureLoader wide[kScreenShapeCount];  // [0] unused: the 4:3 one is `standard`
    bool tried[kScreenShapeCount] = {};
    bool missing[kScreenShapeCount] = {};
};
static_assert(std::size(assetnames::kMenuPictures) == kScreenShapeCount);

ScreenPictures introPictures{introPicture, assetnames::kIntroPictures, {}, {}, {}};
ScreenPictures menuPictures{menuPicture, assetnames::kMenuPictures, {}, {}, {}};
ScreenPictures loadingPictures{loadingPicture, assetnames::kLoadingPictures, {}, {}, {}};
bool missingPictureReported = false;

struct ShownPicture {
    const TextureLoader* texture;
    int width;  // in the picture's own pixels; all are kScreenPictureHeight high
};

// The picture the window's shape calls for. Only drawing loads one; the
// pointer's callbacks take one not tried yet for readable.
ShownPicture shownPicture(ScreenPictures& pictures, bool loadNow) {
    const int shape = nearestScreenShape(windowWidth, windowHeight);
    const ShownPicture standard{&pictures.standard, kScreenPictureWidths[0]};
    if (shape == 0 || pictures.missing[shape]) return standard;
    TextureLoader& wide = pictures.wide[shape];
    if (loadNow && !pictures.tried[shape]) {
        pictures.tried[shape] = true;
        const char* name = pictures.names[shape];
        // A missing file is no fault worth a message box: the 4:3 picture serves.
        if (std::ifstream(name).good()) wide.load(name);
        if (wide.width == 0) {
            pictures.missing[shape] = true;
            if (!missingPictureReported)
                std::cerr << "brakkon: cannot read " << name
                          << "; screens without their wide picture show the 4:3 one\n";
            missingPictureReported = true;
            return standard;
        }
    }
    return {&wide, kScreenPictureWidths[shape]};
}

bool fillsWindow(const WindowRect& r) {
    return r.x == 0 && r.y == 0 && r.width == windowWidth && r.height == windowHeight;
}

// The screen's picture for the window's shape, undistorted and centred. The
// strips it leaves repeat its edge pixels outward: one quad over the whole
// window, its texture coordinates running past the picture's edges and
// clamped there.
void drawFittedPicture(ScreenPictures& pictures) {
    const ShownPicture shown = shownPicture(pictures, true);
    shown.texture->bind();
    const WindowRect r =
        fitScreenPicture(shown.width, kScreenPictureHeight, windowWidth, windowHeight);
    if (fillsWindow(r)) {
        drawScreenQuad(0, 0, windowWidth, windowHeight);
        return;
    }
    auto u = [&](int x) { return static_cast<float>(x - r.x) / r.width; };
    // v runs upward in the picture, y downward in the window.
    auto v = [&](int y) { return 1.0f - static_cast<float>(y - r.y) / r.height; };
    const int W = windowWidth, H = windowHeight;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBegin(GL_QUADS);
    glTexCoord2f(u(0), v(0));
    glVertex3f(0.0f, 0.0f, -1.0f);
    glTexCoord2f(u(0), v(H));
    glVertex3f(0.0f, static_cast<float>(H), -1.0f);
    glTexCoord2f(u(W), v(H));
    glVertex3f(static_cast<float>(W), static_cast<float>(H), -1.0f);
    glTexCoord2f(u(W), v(0));
    glVertex3f(static_cast<float>(W), 0.0f, -1.0f);
    glEnd();
    // The menu's pieces are textured with the picture as it repeats.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

}  // namespace

void forgetWidePictures() {
    for (ScreenPictures* pictures : {&introPictures, &menuPictures, &loadingPictures}) {
        for (int shape = 1; shape < kScreenShapeCount; ++shape) {
            if (pictures->wide[shape].texture != 0)
                glDeleteTextures(1, &pictures->wide[shape].texture);
            pictures->wide[shape] = TextureLoader{};
            pictures->tried[shape] = pictures->missing[shape] = false;
        }
    }
    missingPictureReported = false;
}

void displayScreen() {
    switch (screenState) {
        case ScreenState::Intro:
            drawIntroScreen();
            break;
        case ScreenState::Menu:
            drawMenuScreen();
            break;
        case ScreenState::Loading:
            drawLoadingScreen();
            break;
        default:
            break;
    }
}

void drawIntroScreen() {
    glClearColor(0.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin2D();
    // Stays on through the menu and loading screens.
    glEnable(GL_TEXTURE_2D);
    drawFittedPicture(introPictures);
    --introFrames;
    if (introFrames < 0) {
        screenState = ScreenState::Menu;
        glutPassiveMotionFunc(onMenuMotion);
        glutMouseFunc(onMenuButton);
    }
    end2D();
    glutSwapBuffers();
}

void drawMenuScreen() {
    glClearColor(0.0f, 0.2f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin2D();
    // Blending with the default function: the picture is drawn opaque.
    glEnable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawFittedPicture(menuPictures);
    end2D();
    glDisable(GL_BLEND);

    // The picture wrote no depth, so the pieces land in front of it.
    glPushMatrix();
    gluLookAt(0.0, 0.0, 220.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    for (auto& piece : menuDebris) {
        if (piece) piece->draw();
    }
    glPopMatrix();
    glutSwapBuffers();
}

void drawLoadingScreen() {
    // The first loading frame is drawn before the set-up, which then blocks
    // during the second one; it runs exactly once.
    if (loadingFrames > 0) {
        --loadingFrames;
    } else if (loadingFrames == 0) {
        levelSetupRoutine();
        levelReady = true;
        --loadingFrames;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    begin2D();
    glColor3f(1.0f, 1.0f, 1.0f);
    drawFittedPicture(loadingPictures);
    end2D();
    glutSwapBuffers();
}

bool insideStartArea(int x, int y) {
    const int width = shownPicture(menuPictures, false).width;
    const WindowRect r = fitScreenPicture(width, kScreenPictureHeight, windowWidth, windowHeight);
    if (width == kScreenPictureWidths[0] && fillsWindow(r))
        return x > windowWidth / 10 && x < windowWidth * 0.6 && y > windowHeight * 0.7 &&
               y < windowHeight * 0.8;
    // The button's box carried into the window the way the picture is.
    const PictureBox box = startButtonBox(width);
    const double across = r.width / double(width), down = r.height / double(kScreenPictureHeight);
    return x > r.x + box.left * across && x < r.x + box.right * across &&
           y > r.y + box.top * down && y < r.y + box.bottom * down;
}

void onMenuMotion(int x, int y) { menuHover = insideStartArea(x, y) ? 1 : 0; }

void onMenuButton(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) return;
    if (!insideStartArea(x, y)) return;
    beginFromMenu();
}

void beginFromMenu() {
    if (screenState == ScreenState::Menu && gameEvents) gameEvents->startClicked();
    screenState = ScreenState::Loading;
}

void shellIdle() {
    now = static_cast<float>(elapsedMilliseconds());
    if (!elapsedOver(16.0f, lastTick)) return;
    pollGamepad();
    updateMenuDebris();
    updateMenuSpeed();
    countFrame();
    if (screenState == ScreenState::Loading && !playStarted) {
        --gameSwitchTicks;
        // Play never begins before the level exists: should the countdown
        // run out first, the switch waits for the loading frame that builds it.
        if (gameSwitchTicks < 0 && levelReady) switchToPlay();
    }
    stampTime(lastTick);
    glutPostRedisplay();
}

void updateMenuSpeed() {
    if (!elapsedOver(0.02, menuSpeedStamp)) return;
    const float goal = menuHover == 1 ? 50.0f : 1.0f;
    menuSpeed += (goal - menuSpeed) / menuEase;
    easeToward(menuSpeed, goal);
    stampTime(menuSpeedStamp);
}

void updateMenuDebris() {
    for (auto& slot : menuDebris) {
        if (!slot) continue;
        DebrisPiece& piece = *slot;
        if (elapsedOver(0.02, piece.fallStamp)) {
            piece.position.y -= piece.fallSpeed * 10.0 / menuSpeed;
            stampTime(piece.fallStamp);
        }
        if (elapsedOver(0.02, piece.spinStamp)) {
            for (int axis = 0; axis < 3; ++axis) {
                piece.rotation[axis] += piece.spin[axis] * 10.0 / menuSpeed;
            }
            stampTime(piece.spinStamp);
        }
        if (elapsedOver(0.5, piece.recycleStamp) && piece.position.y < -1000.0f) {
            piece.reset();
            stampTime(piece.recycleStamp);
        }
    }
}

void countFrame() {
    GameStats.tickCount += 1;
    if (now - GameStats.lastFpsTime > 1000.0f) {
        GameStats.fps = GameStats.tickCount;
        GameStats.tickCount = 0;
        GameStats.lastFpsTime = static_cast<float>(elapsedMilliseconds());
    }
}

void switchToPlay() {
    if (watchingReplay()) return beginWatching();
    playStarted = true;
    glutPassiveMotionFunc(onGameMotion);
    glutMouseFunc(onGameButton);
    glutDisplayFunc(drawGameFrame);
    glutIdleFunc(gameIdle);
    glutSetCursor(GLUT_CURSOR_NONE);
    glutKeyboardFunc(onGameKeyDown);
    glutKeyboardUpFunc(onGameKeyUp);
    glutSpecialFunc(onGameSpecialKeyDown);
    glutSpecialUpFunc(onGameSpecialKeyUp);
    glDisable(GL_TEXTURE_2D);
    // The first frames of play time the ground drawn both ways.
    if (world) world->cullingTrial.start();
    restartPace();
    forgetNews();
    startRecordingFight();
    pauseIfAwayAtStart();
}

void gameIdle() {
    // The frame after the last tick is drawn: the pass ends here.
    const int wait = paceWaitBegins(playPace, elapsedMilliseconds());
    // One tick 22 ms after the window system went idle, or sooner when
    // ticks are owed: no spinning, and no idle time while behind.
    passWaitMs = displayOptions.keepPace && !waitAfterEveryFrame ? wait : kTickPeriodMs;
    glutIdleFunc(nullptr);
    glutTimerFunc(static_cast<unsigned>(passWaitMs), gameTimer, 0);
}

void gameTimer(int) {
    const int clock = elapsedMilliseconds();
    now = static_cast<float>(clock);
    paceTimerPass(playPace, clock);
    pollGamepad();
    // Paused, the timer only keeps looking for the way back.
    if (tickUnlessPaused()) {
        stampTime(lastTick);
        // Ticks owed for slow frames run before the next frame is drawn.
        catchUpTicksLeft = displayOptions.keepPace ? takeCatchUpTicks(playPace) : 0;
        if (catchUpTicksLeft > 0) {
            gatherFrameNews();
            glutIdleFunc(gameCatchUp);
            return;
        }
        glutPostRedisplay();
    } else {
        restartPace();
    }
    // A screenshot and its notice draw a picture while paused too.
    if (updateScreenshotNotice()) glutPostRedisplay();
    glutIdleFunc(gameIdle);
}
