#pragma once
// The sprites of shells and bursts, loaded with the level.
#include "assets/texture_loader.h"

constexpr int kBurstFrames = 8;

extern TextureLoader plasmaPicture, plasmaMask;
extern TextureLoader burstPictures[kBurstFrames], burstMasks[kBurstFrames];  // frame 1 at index 0
