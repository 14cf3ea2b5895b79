#include "app/window_manager.h"

#include <X11/Xlib.h>

bool windowManagerRunning() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XWindowAttributes root;
    const bool running = XGetWindowAttributes(display, DefaultRootWindow(display), &root) &&
                         (root.all_event_masks & SubstructureRedirectMask);
    XCloseDisplay(display);
    return running;
}
