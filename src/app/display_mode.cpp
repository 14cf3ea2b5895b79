#include "app/display_mode.h"

#include <GL/freeglut.h>

#include "app/focus_watch.h"
#include "app/launch_options.h"
#include "app/pointer_capture.h"

namespace {
// Leaving full screen puts back the size the window had before it; the
// window's own size is asked for once that has happened.
void sizeTheWindow(int) { glutReshapeWindow(kWindowedWidth, kWindowedHeight); }
}  // namespace

void showFullScreen(bool fullScreen) {
    if (!haveGameWindow()) return;
    if (fullScreen) {
        glutFullScreen();
    } else {
        glutLeaveFullScreen();
        glutTimerFunc(100, sizeTheWindow, 0);
    }
    setWatchedWindowed(!fullScreen);
}
