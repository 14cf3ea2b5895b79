#pragma once
// How play is paced and drawn, for the whole program: set once at start from
// the command line.

struct DisplayOptions {
    // Slow frames are made up with extra ticks, so the game keeps its pace;
    // false plays strictly one tick per timer pass.
    bool keepPace = true;
    // The share of the window's width and height the 3D scene is drawn at
    // (100, 75 or 50), then scaled up to the window; the HUD is always drawn
    // at the window's own resolution.
    int renderScalePercent = 100;
};

extern DisplayOptions displayOptions;

// 100, 75 or 50 for a render scale written as a percentage ("75") or a
// fraction ("0.75"); 0 for anything else.
int renderScaleFromText(const char* text);
