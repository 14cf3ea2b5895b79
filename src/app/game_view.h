#pragma once
// The game's light and lens, and the camera's look: the one place the frame,
// the selection pass, the tests and the benchmarks take them from.
#include "platform/vec3.h"

// One directional light fixed in eye space; set while the model-view matrix
// is the identity.
void setupLight();
// The 90 degree lens from 0.1 to 12000 units, onto the current projection.
void applyGameLens(double aspect);
// The viewport and a fresh projection with the lens, for a window of that size.
void setGameProjection(int width, int height);
// Replaces the model-view matrix by the look from eye toward target, up +y.
void lookFrom(const Vec3& eye, const Vec3& target);
