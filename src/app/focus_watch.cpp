#include "app/focus_watch.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {
Display* watchDisplay = nullptr;
bool windowedGame = false;
bool away = false;
WindowNews pending;  // read ahead of the next readWindowNews

void lookedAway(WindowNews& news) {
    news.lost = true;
    away = true;
}

bool grabbing(int mode) { return mode == NotifyGrab || mode == NotifyUngrab; }
}  // namespace

void noteWindowEvent(const XEvent& event, unsigned long key, bool windowed, WindowNews& news) {
    switch (event.type) {
        case FocusOut:
            // A grab (a desktop shortcut held, a screenshot tool) leaves the
            // focus where it was; focus moving into a child stays with us.
            if (!grabbing(event.xfocus.mode) && event.xfocus.detail != NotifyInferior)
                lookedAway(news);
            break;
        case FocusIn:
            if (!grabbing(event.xfocus.mode)) away = false;
            break;
        case UnmapNotify:
            lookedAway(news);
            break;
        case MapNotify:
            away = false;
            break;
        case VisibilityNotify:
            if (event.xvisibility.state == VisibilityFullyObscured)
                lookedAway(news);
            else
                away = false;
            break;
        case LeaveNotify:
            if (windowed && !grabbing(event.xcrossing.mode) &&
                event.xcrossing.detail != NotifyInferior)
                lookedAway(news);
            break;
        case EnterNotify:
            if (windowed && !grabbing(event.xcrossing.mode)) away = false;
            break;
        case KeyPress:
            if (key != XK_Pause) break;
            news.pauseKey = true;
            news.keyX = event.xkey.x;
            news.keyY = event.xkey.y;
            break;
        default:
            break;
    }
}

void startFocusWatch(bool windowed) {
    if (watchDisplay) return;
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!window) return;
    watchDisplay = XOpenDisplay(nullptr);
    if (!watchDisplay) return;
    windowedGame = windowed;
    // Several clients may listen for these on one window; button presses,
    // which only one may take, stay with freeglut.
    XSelectInput(watchDisplay, window,
                 FocusChangeMask | StructureNotifyMask | VisibilityChangeMask | EnterWindowMask |
                     LeaveWindowMask | KeyPressMask);
    XFlush(watchDisplay);
}

namespace {
void readArrivedEvents() {
    while (XPending(watchDisplay) > 0) {
        XEvent event;
        XNextEvent(watchDisplay, &event);
        const KeySym key = event.type == KeyPress ? XLookupKeysym(&event.xkey, 0) : NoSymbol;
        noteWindowEvent(event, key, windowedGame, pending);
    }
}
}  // namespace

WindowNews readWindowNews() {
    if (watchDisplay) readArrivedEvents();
    const WindowNews news = pending;
    pending = WindowNews{};
    return news;
}

bool lookedAwaySinceLastNews() {
    if (!watchDisplay) return false;
    // The server answers after it has sent every earlier event.
    XSync(watchDisplay, False);
    readArrivedEvents();
    return pending.lost;
}

bool gameWindowAway() { return away; }
