#pragma once
// Play-time keyboard and mouse: the two devices that feed the player's
// action record (game/player_actions.h) through the key bindings
// (game/key_bindings.h), and the shell's share of that record.
#include <vector>

#include "app/focus_watch.h"
#include "game/key_bindings.h"
#include "game/player_actions.h"
#include "game/player_fire.h"

void onGameKeyDown(unsigned char key, int x, int y);
void onGameKeyUp(unsigned char key, int x, int y);
void onGameSpecialKeyDown(int key, int x, int y);
void onGameSpecialKeyUp(int key, int x, int y);
void onGameButton(int button, int state, int x, int y);
void onGameMotion(int x, int y);

// A device's key or button going down or up, by its key code: sets the
// action it is bound to in the record and runs the record.
void pressBoundKey(InputKey key);
void releaseBoundKey(InputKey key);

// Keys by position as the window watch reports them, in order; while
// paused a press only resumes.
void runPositionKeys(const std::vector<PositionKey>& keys);

// Runs what the record holds: the game's share, then the status report,
// the screenshot wish, and the pause last.
void runPlayerActions();

// How the mouse aims: 0.125 degrees per pixel times the sensitivity; with
// invert, moving the mouse down raises the gun.
struct MouseAim {
    double sensitivity = 1.0;
    bool invert = false;
};
extern MouseAim mouseAim;
constexpr double kDegreesPerPixel = 0.125;

// Set by the screenshot action; whoever writes screenshots takes it after
// drawing a frame and clears it.
extern bool screenshotWanted;

constexpr unsigned char kEscapeKey = 27;
