#pragma once
// The 3D scene drawn at a share of the window's resolution (the render
// scale), then scaled up to the whole window with linear filtering. At 100 %
// nothing here does anything: the scene is drawn straight into the window.

// The scene's width or height for a window side of `size` at `percent`.
int scaledSide(int size, int percent);
// Before the scene: the viewport becomes the scene's corner of the window.
void beginScaledScene();
// After the scene: the viewport is the whole window again, and the scene
// drawn in its corner is scaled up to cover it. The drawing state is left as
// the scene left it.
void endScaledScene();
