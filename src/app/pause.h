#pragma once
// Play stands still while the player looks away or asks for a pause: no
// game tick runs, the sound is silent, the pointer is shown and left where
// it is, and every held key counts as released. A notice says how to go on;
// only a click or a key in the game window resumes, and it does nothing else.

// Tab pauses on every keyboard (the Pause key, where there is one, too).
constexpr unsigned char kPauseKey = '\t';

extern bool gamePaused;

void pauseGame();
// Resumes play; (x, y) is where the pointer stands, so the next move
// aims from there instead of jumping by the distance moved while away.
void resumeGame(int x, int y);

// One pass of the game timer: reads the window's news, pauses on looking
// away or the Pause key (which resumes a pause too), and runs a game tick
// unless paused. Returns true when a tick ran.
bool tickUnlessPaused();
// At the start of play: pauses at once when the player has looked away
// during the pre-game screens and not come back.
void pauseIfAwayAtStart();

// Darkens the middle of the last picture and writes the notice over it.
void drawPauseNotice();
