#pragma once
// Learns what freeglut does not report: the game window losing the focus,
// being minimised or covered, the pointer leaving a windowed game, and the
// Pause key (which freeglut drops). A second X connection listens on the
// game window and is read once per game timer pass, and before each move of
// the pointer in play is taken.

// Xlib's event record, declared as Xlib does, so its macros stay out of here.
typedef union _XEvent XEvent;

#include <vector>

#include "platform/input_keys.h"

// A key going down or up, by where it sits (see app/key_positions.h).
struct PositionKey {
    InputKey key = kNoKey;    // what a US keyboard has there
    InputKey typed = kNoKey;  // the character it types on the layout in force, if one
    bool pressed = false;
    int x = 0, y = 0;  // where the pointer stood in the window
};

// What happened to the game window since the last look.
struct WindowNews {
    bool lost = false;              // the player looked away
    bool pauseKey = false;          // the Pause key was pressed in the game window
    int keyX = 0, keyY = 0;         // where the pointer stood in the window then
    std::vector<PositionKey> keys;  // in order; only when reading keys by position
};

// Starts listening on the current GLUT window; `windowed` makes the pointer
// leaving the window count as looking away, `byPosition` reports every key
// by where it sits (held keys repeat nothing). Without an X display it does
// nothing and the game plays as before. Returns whether keys are reported.
bool startFocusWatch(bool windowed, bool byPosition = false);
// Changes while the watch runs (the options panel): windowed or full screen,
// and keys by position on or off. The latter returns whether keys are
// reported now.
void setWatchedWindowed(bool windowed);
bool setKeysByPosition(bool byPosition);
// Everything that arrived since the last call.
WindowNews readWindowNews();
// True when news that the player looked away wait for the next
// readWindowNews, which keeps them. A round trip to the server first, so
// every event it sent before this moment is seen (about 25 microseconds).
bool lookedAwaySinceLastNews();
// True while the last news left the window away (unfocused, unmapped,
// covered, or left by the pointer when windowed); false until told so.
bool gameWindowAway();
// The same after a round trip to the server, so it holds at this moment;
// what arrived waits for the next readWindowNews.
bool gameWindowAwayNow();

// Folds one event of the game window into `news` and the away state;
// `key` is the event's key symbol (a KeySym) for key presses. Key events by
// position are added by readWindowNews.
void noteWindowEvent(const XEvent& event, unsigned long key, bool windowed, WindowNews& news);
