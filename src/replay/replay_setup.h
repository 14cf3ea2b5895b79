#pragma once
// A recorded fight's level, set up again from its header.
#include "replay/replay_format.h"

// Builds the match as the recorded fight began: the world, the layout with
// the enemies placed from the recorded clock values, the camera and the
// random sequence at the start of play. The tiles then follow the news of
// the recording. `drawn`: with textures and models, for the window.
void setUpRecordedMatch(const ReplayHeader& header, bool drawn);
