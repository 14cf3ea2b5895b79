#pragma once
// A point or direction in the world, in world units. Every layer passes
// these around (model readers, the simulation, the sound), so the record
// sits at the bottom; the vector and aim arithmetic is in game/vec_math.h.

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
