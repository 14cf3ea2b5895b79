#pragma once
// The pre-game screens (intro, menu, loading), their callbacks, and the one
// switch into play.

void displayScreen();
void drawIntroScreen();
void drawMenuScreen();
void drawLoadingScreen();

void shellIdle();
void onMenuMotion(int x, int y);
void onMenuButton(int button, int state, int x, int y);
// What a click on START does: the loading screen follows.
void beginFromMenu();

void gameIdle();
void gameTimer(int value);
void switchToPlay();

void countFrame();
void updateMenuDebris();
void updateMenuSpeed();

// The menu's start area, on the START button of the picture the window's
// shape shows; all bounds exclusive.
bool insideStartArea(int x, int y);
// Drops the wide screen pictures loaded or found missing: the next frame of
// each shape looks for its file again (tests change folders).
void forgetWidePictures();

// True once switchToPlay() has run.
extern bool playStarted;
// The level set-up run by the second loading frame (setupLevel; tests
// substitute their own).
extern void (*levelSetupRoutine)();
