#include "app/play_pace.h"

#include <GL/freeglut.h>

#include "app/game_frame.h"
#include "app/game_view.h"
#include "app/globals.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "app/timing.h"
#include "platform/clock.h"

TickPace playPace;
int catchUpTicksLeft = 0;
int passWaitMs = kTickPeriodMs;
bool waitAfterEveryFrame = false;

void gatherFrameNews() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // The ground keeps its tiles around the eye built, as each frame does.
    if (world)
        world->updateTiles(static_cast<int>(CameraState.eye.x),
                           static_cast<int>(CameraState.eye.z));
    // The selection pass. The next frame starts from the drawing state the
    // last one left.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(0, 0, windowWidth, windowHeight);
    lookFrom(CameraState.eye, CameraState.target);
    pickUnderCrosshair();
    glPopMatrix();
    glPopAttrib();
}

void gameCatchUp() {
    now = static_cast<float>(elapsedMilliseconds());
    if (tickUnlessPaused()) {
        stampTime(lastTick);
        --catchUpTicksLeft;
    } else {
        restartPace();
    }
    if (catchUpTicksLeft > 0) {
        gatherFrameNews();
        return;
    }
    glutPostRedisplay();
    glutIdleFunc(gameIdle);
}

void restartPace() {
    forgetPace(playPace);
    catchUpTicksLeft = 0;
}
