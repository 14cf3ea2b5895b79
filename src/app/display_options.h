#pragma once
// How play is paced and drawn, for the whole program: set at start from the
// settings file and the command line, and by the options panel.

#include "app/launch_options.h"
#include "settings/settings.h"

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

// The render scale the settings file says, as drawn: 100, 75 or 50.
int renderScalePercentOf(const Settings& settings);

// The options panel changed the pace or the render scale: they take effect
// from the next pass, over what the command line chose.
void takeDisplaySettings(const Settings& now, const Settings& before);

// The settings file's pace and render scale, with the command line winning
// over them; a scale the file cannot hold as 100, 75 or 50 % draws at 100 %.
DisplayOptions chooseDisplayOptions(const Settings& settings, const LaunchOptions& options);
