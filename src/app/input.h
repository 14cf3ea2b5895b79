#pragma once
// Play-time keyboard and mouse, and the player's fire actions.
#include "game/vec_math.h"

void onGameKeyDown(unsigned char key, int x, int y);
void onGameKeyUp(unsigned char key, int x, int y);
void onGameButton(int button, int state, int x, int y);
void onGameMotion(int x, int y);

void fireShell();
void fireMissile();
// Fills up to count empty explosion slots, lowest first, with the given type.
void spawnExplosions(const Vec3& point, int type, int count);

// The gun pitch after a vertical mouse move of dy pixels, kept to 300..360 or 0..6.
float pitchAfterMove(float gunPitch, double dy);
// The turret yaw after a horizontal mouse move of dx pixels, in 0..360.
float yawAfterMove(float turretYaw, double dx);

constexpr unsigned char kEscapeKey = 27;
