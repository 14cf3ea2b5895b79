#include "app/game_frame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <ostream>

#include "app/game_view.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/match_news.h"
#include "app/pause.h"
#include "app/render_scale.h"
#include "app/screenshot.h"
#include "game/match_tick.h"
#include "game/world_prop.h"
#include "platform/console.h"

bool framesFeedTheMatch = true;

void groundSceneryOnThirdFrame() {
    // A replay grounds the scenery in the tick it was grounded before.
    if (!framesFeedTheMatch) return;
    if (sceneryGroundFrames > 0) {
        --sceneryGroundFrames;
        return;
    }
    if (sceneryGroundFrames != 0) return;
    groundScenery();
    noteSceneryGrounded();
}

void beginPickPass() {
    glSelectBuffer(kSelectBufferSize, selectBuffer);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glRenderMode(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // 2 x 2 pixels at the centre of the window, under the crosshair.
    gluPickMatrix(windowWidth / 2, windowHeight / 2, 2.0, 2.0, viewport);
    const double height = viewport[3] > 0 ? viewport[3] : 1;
    applyGameLens(viewport[2] / height);
    glMatrixMode(GL_MODELVIEW);
    glInitNames();
}

void endPickPass() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    // A negative count means the buffer overflowed: nothing is read.
    hitCount = glRenderMode(GL_RENDER);
}

void resolvePick(int count, const std::uint32_t* buffer, std::size_t bufferSize) {
    // Each record: name count n, min depth, max depth, n names.
    std::size_t at = 0;
    bool found = false;
    std::uint32_t bestDepth = 0;
    std::uint32_t bestNames = 0;
    std::size_t bestFirstName = 0;
    for (int record = 0; record < count; ++record) {
        if (at + 3 > bufferSize) break;
        const std::uint32_t names = buffer[at];
        const std::uint32_t minDepth = buffer[at + 1];
        if (names > bufferSize - at - 3) break;
        if (!found || minDepth < bestDepth) {
            found = true;
            bestDepth = minDepth;
            bestNames = names;
            bestFirstName = at + 3;
        }
        at += 3 + names;
    }
    if (!found || bestNames != 1) return;
    const std::uint32_t name = buffer[bestFirstName];
    if (name >= static_cast<std::uint32_t>(kFirstEnemyPickName + kEnemyCount)) return;
    // A replay takes its aim point from the recording instead.
    if (!framesFeedTheMatch) return;
    aimAtPickName(static_cast<int>(name));
    notePickName(static_cast<int>(name));
}

void beginFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // Takes effect from the next frame's clear.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawWorldGround() {
    if (world)
        world->draw(static_cast<int>(CameraState.eye.x), static_cast<int>(CameraState.eye.z));
}

// The ground is most of the frame's pixel work: hand it over now, so that a
// software renderer fills it in while the rest of the frame is sent.
void handGroundToRenderer() { glFlush(); }

void drawSceneObjects() {
    if (player) player->draw(true);
    for (auto& prop : blocks) {
        if (prop) drawProp(*prop);
    }
    for (auto& prop : scenery) {
        if (prop) drawProp(*prop);
    }
    for (auto& enemy : enemies) {
        if (enemy) enemy->draw();
    }
    for (auto& projectile : projectiles) {
        if (projectile) projectile->draw();
    }
    for (auto& explosion : explosions) {
        if (explosion) explosion->draw();
    }
}

void drawPickShapes() {
    for (auto& prop : blocks) {
        if (prop) drawPropPickShape(*prop);
    }
    for (auto& enemy : enemies) {
        if (enemy) enemy->drawPick();
    }
}

void pickUnderCrosshair() {
    beginPickPass();
    drawPickShapes();
    endPickPass();
    if (hitCount != 0) resolvePick(hitCount, selectBuffer);
}

void drawOverlay() {
    drawHud();
    if (showStatus) {
        formatStatusReport();
        drawStatusText(0, 0);
    }
    if (gamePaused) drawPauseNotice();
}

void drawFrameWith(void (*drawGround)()) {
    beginFrame();
    beginScaledScene();
    lookFrom(CameraState.eye, CameraState.target);
    drawGround();
    handGroundToRenderer();
    groundSceneryOnThirdFrame();
    drawSceneObjects();
    endScaledScene();
    pickUnderCrosshair();
    drawOverlay();
    // The picture as drawn, without the notice of an earlier one.
    takeScreenshotIfAsked();
    drawScreenshotNotice();
    glutSwapBuffers();
}

void drawGameFrame() { drawFrameWith(drawWorldGround); }
