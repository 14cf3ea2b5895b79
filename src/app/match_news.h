#pragma once
// The command for the next tick, gathered from the frame and the input
// devices as its parts come, and taken just before the tick runs.
#include "game/match_command.h"

// One hand-over of the player's actions, already carried out.
void noteActionStep(const PlayerActions& record);
// What the frame's pick found under the crosshair, already aimed at.
void notePickName(int name);
// The frame set the scenery on the ground.
void noteSceneryGrounded();
// The command for the tick about to run at `clock`, with the world's tile
// news; the gathering starts afresh.
MatchCommand takeCommand(int clock);
// One tick of play: takes the command at the game clock and runs the match
// on it.
void playOneTick();
// Forgets whatever was gathered (a new fight).
void forgetNews();
