#include "game/effect_pictures.h"

TextureLoader plasmaPicture, plasmaMask;
TextureLoader burstPictures[kBurstFrames], burstMasks[kBurstFrames];
