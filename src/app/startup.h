#pragma once
// Program start: the window, its fixed OpenGL state and the light.
#include "app/game_view.h"

// The whole start-up sequence; enters the GLUT main loop and never returns.
void startGame(int argc, char** argv);
// Everything before the main loop: window, callbacks, light, menu pieces and
// screen pictures.
void prepareGame(int argc, char** argv);

// The reshape callback, installed once.
void onReshape(int width, int height);
