#pragma once
// Keeping the game's pace when frames are slow (see platform/tick_pace.h).
// The ticks a slow frame owes run one per idle pass before the next frame is
// drawn, so input events still arrive between ticks. After each tick that is
// followed by another instead of a frame comes what the skipped frame would
// have gathered for the next tick besides its picture (the tiles built
// around the eye, the aim point under the crosshair that a homing missile
// reads), so every tick sees the state it would see with a frame after each
// tick.
#include "platform/tick_pace.h"

extern TickPace playPace;
// Catch-up ticks still to run before the next frame.
extern int catchUpTicksLeft;
// The wait the loop asked for after the last frame, before its next pass.
extern int passWaitMs;
// The loop as it was before ticks kept their own clock: a full tick's wait
// after every frame, however far behind. Only the benchmark sets it.
extern bool waitAfterEveryFrame;

// The idle callback while catch-up ticks remain: one tick, then the skipped
// frame's changes, or after the last a redisplay and the normal idle
// callback again.
void gameCatchUp();
// What a frame gathers for the next tick, without its picture: the
// ground's tiles around the eye, then the selection pass under the
// crosshair. The drawing state stays as the last frame left it.
void gatherFrameNews();
// Time starts again: no catch-up is owed or pending.
void restartPace();
