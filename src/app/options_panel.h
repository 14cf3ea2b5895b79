#pragma once
// The options panel, opened from the pause screen (the O key, or a click on
// its Options button, or Y on a pad): mouse sensitivity, invert aim, volume
// and mute, full screen, keys by position, the pads' stick sensitivity and
// rumble, the key and pad button of every action, and the defaults back.
// Each change is put into force at once and saved. Esc still ends the game.
//
// It is worked with six moves, so any device can drive it; the keyboard
// gives them with the arrow keys, Enter and Backspace, the mouse by
// clicking rows and their < > arrows, a pad with its d-pad, A and B.
#include "game/key_bindings.h"
#include "platform/pad_controls.h"

enum class PanelMove { Up, Down, Left, Right, Activate, Back };

extern bool optionsPanelOpen;

void openOptionsPanel();
void closeOptionsPanel();
void moveInOptionsPanel(PanelMove move);
// The row the moves act on, from 0 at the top.
int selectedOptionRow();

// While open, every key and button goes here first: a key being chosen for
// an action takes it (Backspace gives up), else the moves. Esc is not
// handled here: it ends the game before it reaches the panel.
void optionsPanelKey(InputKey key);
// True while a key is being chosen for an action: every key goes to the panel.
bool optionsPanelTakesKeys();
// A pad control pressed while a key is being chosen: it becomes the action's
// pad binding. An action only the left stick does gives the choice up.
void optionsPanelPadButton(PadControl control);
// A button pressed at (x, y): on a row, its arrows or the row itself.
void optionsPanelClick(InputKey button, int x, int y);
// The pointer at (x, y) picks the row under it.
void optionsPanelPoint(int x, int y);

// Over the whole window, on top of the paused picture.
void drawOptionsPanel();

// The pause screen's Options button; true when (x, y) is on it.
bool onOptionsButton(int x, int y);
void drawOptionsButton();
