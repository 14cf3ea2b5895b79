#pragma once
// Pixel-aligned 2D overlay: x from the left, y down from the top.
#include "assets/picture_quad.h"

void begin2D();
void end2D();
