#pragma once
// Vectors and aim angles shared by everything that moves. Angles are
// single-precision degrees; yaw is measured from +z toward +x, pitch is
// positive downward (0 level, 45 below the horizon, 315 above it).
#include "platform/vec3.h"

struct Aim {
    float yaw = 0.0f;
    float pitch = 0.0f;
};

// Brings a toward [0, 360) by at most one correction each way.
void wrapAngle(float& a);
// Turns a pitch strictly between 90 and 270 back into range by turning the yaw around.
void foldAim(float& yaw, float& pitch);
inline void foldAim(Aim& aim) { foldAim(aim.yaw, aim.pitch); }

// Direction of an aim; the horizontal part has length 1, the vertical part is tan(pitch).
Vec3 aimToDirection(float yaw, float pitch);
// Normalised aim of a direction.
Aim directionToAim(float x, float y, float z);
inline Aim directionToAim(const Vec3& v) { return directionToAim(v.x, v.y, v.z); }

Vec3 vecAdd(const Vec3& a, const Vec3& b);
Vec3 vecSub(const Vec3& a, const Vec3& b);
Vec3 vecScale(float s, const Vec3& v);
// Unit vector, or v unchanged when its length is 0.
Vec3 vecNormalize(const Vec3& v);
float vecLength(const Vec3& v);

// The aim expressed after rotating by pitch about x, then roll about z, then yaw about y.
Aim aimInFrame(float roll, float pitch, float yaw, const Aim& aim);

// -1, 0 or +1: the short way round from current toward target (dead band 0.5 degrees).
int turnStepYaw(float current, float target);
// -1, 0 or +1 for a pitch (dead band 1 degree), crossing 0/360 rather than the bottom.
int turnStepPitch(float current, float target);
