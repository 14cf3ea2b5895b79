#pragma once
// The player's tank parts in the design frame: world units, ground at y = 0,
// hull centred on the y axis, front toward +z. Guns are built about their
// pivot (origin) with the barrel along +z.
#include "mesh.h"

enum class TankLevel { Plain, Detailed };

// The dimensions the parts share, and the ones the game's transforms fix.
namespace tankdim {
constexpr float kTrackCentreX = -0.245f;  // the second track is drawn 0.49 across
constexpr float kTrackWidth = 0.40f;
constexpr float kTrackStraight = 2.0f;  // length of the straight runs
constexpr float kTrackRadius = 0.24f;   // belt radius round the end wheels
constexpr float kCleatHeight = 0.04f;
constexpr int kCleatCount = 30;  // around the whole belt
constexpr int kTrackPhases = 5;
constexpr float kDeckHeight = 0.86f;  // top of the lower hull
constexpr float kTopHeight = 1.12f;   // top of the superstructure
constexpr float kGunPivotX = 0.36f;
constexpr float kGunPivotY = 1.26f;
constexpr float kGunPivotZ = -0.02f;
}  // namespace tankdim

Mesh tankHull(TankLevel level);
Mesh tankTop(TankLevel level);
Mesh tankTopTrim(TankLevel level);
Mesh tankCannonHousing(TankLevel level);
Mesh tankCannonInner(TankLevel level);
// One track centred at kTrackCentreX; phase 0..4 moves the cleats by fifths
// of their spacing in the direction the belt runs when driving forward.
Mesh tankTrack(TankLevel level, int phase);
Mesh tankGunMount(TankLevel level);
Mesh tankGunMountTrim(TankLevel level);
Mesh tankGunBarrel(TankLevel level);
