#pragma once
// Small building blocks for the game's sounds: a noise source of our own
// (the same numbers on every run), filters, envelopes and oscillators, all
// on mono float samples at one fixed rate.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kSoundRate = 44100;

using Samples = std::vector<float>;

// White noise in [-1, 1) from a 32-bit xorshift generator.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 1u) {}
    float next();
    // A whole number in [0, n).
    int below(int n);

private:
    std::uint32_t state;
};

// One-pole low-pass filter; cutoff in hertz, may change per sample.
class LowPass {
public:
    float step(float x, float cutoff);

private:
    float y = 0.0f;
};

// Band-pass filter (constant peak gain) whose centre may move per sample.
class BandPass {
public:
    float step(float x, float centre, float q);

private:
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A sine oscillator with a phase that carries across frequency changes.
class Sine {
public:
    float step(float frequency);

private:
    double phase = 0.0;
};

// Linear rise over `attack` seconds, then exponential fall with time constant `decay`.
float hitEnvelope(float t, float attack, float decay);
// An exponential glide from `from` to `to` with time constant `tau`.
float glide(float t, float from, float to, float tau);

Samples silence(float seconds);
inline float timeAt(size_t i) { return static_cast<float>(i) / kSoundRate; }
// Adds `part` into `mix` from sample `offset` on, scaled by `gain`.
void addInto(Samples& mix, const Samples& part, float gain, size_t offset = 0);
// Makes a sound loop without a seam: the last `overlap` seconds are faded
// into the first ones and cut off.
void foldLoop(Samples& sound, float overlap);
// Scales the sound so its highest peak is `peak` (0..1).
void normalise(Samples& sound, float peak);
// Fades the last `seconds` to silence so the sound ends without a click.
void fadeTail(Samples& sound, float seconds);

// Writes 16-bit mono WAV through libsndfile; false (with a message) on failure.
bool writeSound(const std::string& path, const Samples& sound);
