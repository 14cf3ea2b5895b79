#pragma once
// Pads in the shell: started with the game, read once per pass of the idle
// callback before play and of the game timer during play, and their actions
// applied where the player is: the menu, the pause notice or the fight.
// Without a pad (or without SDL) every pass returns at once and the game is
// as it was.
#include "gamepad/pad_device.h"

extern GamepadSettings gamepadSettings;

// Starts the pads and their rumble. Without them: one line on standard
// error, and the game plays on with keyboard and mouse.
void startGamepad();
// One pass: reads every pad and acts on what it did.
void pollGamepad();
// What one pass of pad news does to the game as it stands.
void applyPadNews(const PadNews& news);
