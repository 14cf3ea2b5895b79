#pragma once
// Options the launcher passes to the game. Without any, the game starts as
// it always has: full screen.

struct LaunchOptions {
    bool windowed = false;    // "--window": a 1024 x 768 window instead of full screen
    bool designPace = false;  // "--design-pace": one tick per timer pass, however slow the frames
    int renderScalePercent = 0;   // "--render-scale N" (100, 75 or 50); 0 when not given
    bool badRenderScale = false;  // "--render-scale" with a missing or unknown value
};

// Reads the options left after GLUT has taken its own; anything else is
// ignored, as before there were options.
LaunchOptions readLaunchOptions(int argc, char** argv);

// The windowed mode's client size.
constexpr int kWindowedWidth = 1024;
constexpr int kWindowedHeight = 768;
