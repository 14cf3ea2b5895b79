#pragma once
// The display callback during play and its selection pass.
#include <cstddef>
#include <cstdint>

// Whether the frame's news (the scenery set on the ground, the aim point
// found under the crosshair) goes to the match, as in play; a replay takes
// them from the recording instead.
extern bool framesFeedTheMatch;

// The display callback during play: drawFrameWith(drawWorldGround).
void drawGameFrame();
// A frame during play, step by step, with drawGround drawing the ground seen
// from the camera.
void drawFrameWith(void (*drawGround)());

// The steps of a frame, in the order drawFrameWith takes them.
// Clears colour and depth and resets the model-view matrix.
void beginFrame();
// The world's sky and terrain around the camera.
void drawWorldGround();
void handGroundToRenderer();
// The tank, the props, the enemies, the projectiles and the explosions.
void drawSceneObjects();
// The selection pass under the crosshair; sets AimPoint to what it finds
// and notes it for the next tick's command.
void pickUnderCrosshair();
// The HUD, the status report when it is shown, and the pause notice while
// play is paused.
void drawOverlay();

// Switches to selection mode around the screen centre.
void beginPickPass();
// The pick shapes of the blocks and the enemies.
void drawPickShapes();
// Back to drawing: hitCount holds the number of hit records.
void endPickPass();
// Walks count hit records in buffer (bufferSize values) and sets AimPoint to
// the nearest block or enemy. Records that would run past the buffer's end
// are not read.
void resolvePick(int count, const std::uint32_t* buffer, std::size_t bufferSize = 1024);
// On the third frame: puts the scenery on the ground and logs the heights.
void groundSceneryOnThirdFrame();
