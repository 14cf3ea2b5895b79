#pragma once
// The chase camera moved to the simulation; the shell still reaches it here.
#include "game/camera.h"
