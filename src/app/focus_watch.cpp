#include "app/focus_watch.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "app/key_positions.h"

namespace {
Display* watchDisplay = nullptr;
bool windowedGame = false;
bool away = false;
WindowNews pending;  // read ahead of the next readWindowNews

// Keys by position: the US key at each X keycode, and which are held down.
bool reportingPositions = false;
InputKey usKeyAt[256] = {};
bool held[256] = {};

bool learnKeyPositions(Display* display) {
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (!keyboard) return false;
    const bool named = XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success &&
                       keyboard->names && keyboard->names->keys;
    if (named) {
        for (int code = keyboard->min_key_code; code <= keyboard->max_key_code && code < 256;
             ++code)
            usKeyAt[code] = usKeyAtPosition(keyboard->names->keys[code].name);
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return named;
}

// A held key's repeats are dropped; focus moving away lets every key go.
void notePositionKey(const XKeyEvent& event, bool pressed, WindowNews& news) {
    const unsigned code = event.keycode & 0xFF;
    if (pressed && held[code]) return;
    held[code] = pressed;
    if (usKeyAt[code] == kNoKey) return;
    char typed[4] = {};
    XKeyEvent copy = event;
    const bool one = pressed && XLookupString(&copy, typed, sizeof typed, nullptr, nullptr) == 1;
    news.keys.push_back({usKeyAt[code], one ? static_cast<unsigned char>(typed[0]) : kNoKey,
                         pressed, event.x, event.y});
}

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

bool startFocusWatch(bool windowed, bool byPosition) {
    if (watchDisplay) return reportingPositions;
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!window) return false;
    watchDisplay = XOpenDisplay(nullptr);
    if (!watchDisplay) return false;
    windowedGame = windowed;
    // Without detectable repeat a held key would arrive as releases and presses.
    reportingPositions = byPosition && learnKeyPositions(watchDisplay) &&
                         XkbSetDetectableAutoRepeat(watchDisplay, True, nullptr);
    // Several clients may listen for these on one window; button presses,
    // which only one may take, stay with freeglut.
    XSelectInput(watchDisplay, window,
                 FocusChangeMask | StructureNotifyMask | VisibilityChangeMask | EnterWindowMask |
                     LeaveWindowMask | KeyPressMask | (reportingPositions ? KeyReleaseMask : 0));
    XFlush(watchDisplay);
    return reportingPositions;
}

void setWatchedWindowed(bool windowed) { windowedGame = windowed; }

bool setKeysByPosition(bool byPosition) {
    if (!watchDisplay || byPosition == reportingPositions) return reportingPositions;
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!window) return reportingPositions;
    reportingPositions = byPosition && learnKeyPositions(watchDisplay) &&
                         XkbSetDetectableAutoRepeat(watchDisplay, True, nullptr);
    for (bool& down : held) down = false;
    XSelectInput(watchDisplay, window,
                 FocusChangeMask | StructureNotifyMask | VisibilityChangeMask | EnterWindowMask |
                     LeaveWindowMask | KeyPressMask | (reportingPositions ? KeyReleaseMask : 0));
    XFlush(watchDisplay);
    return reportingPositions;
}

namespace {
void readArrivedEvents() {
    while (XPending(watchDisplay) > 0) {
        XEvent event;
        XNextEvent(watchDisplay, &event);
        const KeySym key = event.type == KeyPress ? XLookupKeysym(&event.xkey, 0) : NoSymbol;
        noteWindowEvent(event, key, windowedGame, pending);
        if (!reportingPositions) continue;
        if (event.type == KeyPress || event.type == KeyRelease)
            notePositionKey(event.xkey, event.type == KeyPress, pending);
        if (event.type == FocusOut || event.type == FocusIn)
            for (bool& down : held) down = false;
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

bool gameWindowAwayNow() {
    lookedAwaySinceLastNews();
    return away;
}
