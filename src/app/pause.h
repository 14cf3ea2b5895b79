#pragma once
#include "app/focus_watch.h"
#include "game/key_bindings.h"
// Play stands still while the player looks away or asks for a pause: no
// game tick runs, the sound is silent, the pointer is shown and left where
// it is, and every held key counts as released. A notice says how to go on;
// only a click or a key in the game window resumes, and it does nothing else.

// Tab pauses on every keyboard (the Pause key, where there is one, too).
constexpr unsigned char kPauseKey = '\t';
constexpr unsigned char kOptionsKey = 'o';

extern bool gamePaused;

void pauseGame();
// Resumes play; (x, y) is where the pointer stands, so the next move
// aims from there instead of jumping by the distance moved while away.
// Not while the window is away: play would go on unseen.
void resumeGame(int x, int y);

// One pass of the game timer: reads the window's news, pauses on looking
// away or the Pause key (which resumes a pause too), and runs a game tick
// unless paused. Returns true when a tick ran.
bool tickUnlessPaused();
// At the start of play: pauses at once when the player has looked away
// during the pre-game screens and not come back.
void pauseIfAwayAtStart();

// Darkens the middle of the last picture and writes the notice over it,
// with the Options button; or, while it is open, the options panel.
void drawPauseNotice();

// What the pause screen does with a key (not Esc), a button press and a
// pointer move: the options panel takes them while it is open; O or a click
// on the Options button opens it; any other key or click plays on.
void pausedKey(InputKey key, int x, int y);
// Keys that type nothing (F1, the arrows) never play on: the panel takes
// them, and the screenshot key keeps a screenshot.
void pausedSpecialKey(InputKey key);
// A key by position: the same as the key typed, or the key that types
// nothing; the panel reads it by position, to bind what play will read.
void pausedPositionKey(const PositionKey& key);
void pausedClick(int button, int x, int y);
void pausedPointer(int x, int y);
