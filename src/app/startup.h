#pragma once
// Program start: the window, its fixed OpenGL state and the light.
#include "app/game_view.h"

// The whole start-up sequence; enters the GLUT main loop and never returns.
void startGame(int argc, char** argv);
// Everything before the main loop: window, callbacks, light, menu pieces and
// screen pictures.
void prepareGame(int argc, char** argv);

struct LaunchOptions;
// Sets the program's pace and render scale from the command line and the file
// (the command line has already refused a render scale it cannot use).
void applyDisplayOptions(const LaunchOptions& options);

// The reshape callback, installed once.
void onReshape(int width, int height);
