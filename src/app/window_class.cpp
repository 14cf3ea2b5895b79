#include "app/window_class.h"

#include <GL/glx.h>
#include <X11/Xutil.h>

void nameWindowClass() {
    // GLUT keeps its X window to itself; the current GLX drawable is that window.
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window) return;
    char name[] = "brakkon";
    char className[] = "Brakkon";
    XClassHint hint{name, className};
    XSetClassHint(display, window, &hint);
    XFlush(display);  // before the slow start-up, so the desktop sees it at once
}
