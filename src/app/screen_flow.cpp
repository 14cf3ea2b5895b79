#include "app/screen_flow.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "app/display_options.h"
#include "app/game_frame.h"
#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/level_setup.h"
#include "app/overlay2d.h"
#include "app/pause.h"
#include "app/play_pace.h"
#include "app/screenshot.h"
#include "app/timing.h"
#include "game/game_events.h"
#include "game/game_tick.h"
#include "platform/clock.h"

bool playStarted = false;
void (*levelSetupRoutine)() = setupLevel;

namespace {
void drawFullWindowPicture(const TextureLoader& picture) {
    picture.bind();
    drawScreenQuad(0, 0, windowWidth, windowHeight);
}
}  // namespace

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
    drawFullWindowPicture(introPicture);
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
    drawFullWindowPicture(menuPicture);
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
    loadingPicture.bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    drawScreenQuad(0, 0, windowWidth, windowHeight);
    end2D();
    glutSwapBuffers();
}

bool insideStartArea(int x, int y) {
    return x > windowWidth / 10 && x < windowWidth * 0.6 && y > windowHeight * 0.7 &&
           y < windowHeight * 0.8;
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
    pauseIfAwayAtStart();
}

void gameIdle() {
    // The frame after the last tick is drawn: the pass ends here.
    paceWaitBegins(playPace, elapsedMilliseconds());
    // One tick at least 22 ms after the window system went idle: no spinning.
    glutIdleFunc(nullptr);
    glutTimerFunc(22, gameTimer, 0);
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
