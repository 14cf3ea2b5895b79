#pragma once
// The game's one random source: a per-thread linear congruential generator.
// Each thread starts with state 1; rand() returns 15 bits. Terrain relief and
// level layout depend on this exact sequence, so the C library's generator is
// never used.
namespace rng {

constexpr int kRandMax = 32767;

// Sets the calling thread's state.
void srand(unsigned seed);
// Advances the calling thread's state and returns a value in 0..32767.
int rand();
// The calling thread's state, to keep it or hand it back with srand.
unsigned state();

}  // namespace rng
