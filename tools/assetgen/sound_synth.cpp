#include "sound_synth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "image.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

float Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
}

int Noise::below(int n) {
    next();
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
}

float LowPass::step(float x, float cutoff) {
    const float a = 1.0f - std::exp(static_cast<float>(-kTwoPi) * cutoff / kSoundRate);
    y += a * (x - y);
    return y;
}

float BandPass::step(float x, float centre, float q) {
    const double w = kTwoPi * centre / kSoundRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = static_cast<float>(y);
    return y1;
}

float Sine::step(float frequency) {
    const float value = static_cast<float>(std::sin(phase));
    phase += kTwoPi * frequency / kSoundRate;
    if (phase > kTwoPi) phase -= kTwoPi;
    return value;
}

float hitEnvelope(float t, float attack, float decay) {
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

float glide(float t, float from, float to, float tau) {
    return to + (from - to) * std::exp(-t / tau);
}

Samples silence(float seconds) { return Samples(static_cast<size_t>(seconds * kSoundRate), 0.0f); }

void addInto(Samples& mix, const Samples& part, float gain, size_t offset) {
    for (size_t i = 0; i < part.size() && offset + i < mix.size(); ++i)
        mix[offset + i] += gain * part[i];
}

void foldLoop(Samples& sound, float overlap) {
    const size_t n = static_cast<size_t>(overlap * kSoundRate);
    if (n == 0 || sound.size() <= 2 * n) return;
    const size_t length = sound.size() - n;
    for (size_t i = 0; i < n; ++i) {
        // Equal-power crossfade: the tail that continues past the loop end
        // fades out over the head that begins it.
        const double t = (i + 0.5) / n;
        sound[i] = static_cast<float>(sound[i] * std::sin(t * kTwoPi / 4) +
                                      sound[length + i] * std::cos(t * kTwoPi / 4));
    }
    sound.resize(length);
}

void normalise(Samples& sound, float peak) {
    float high = 0.0f;
    for (float s : sound) high = std::max(high, std::fabs(s));
    if (high == 0.0f) return;
    for (float& s : sound) s *= peak / high;
}

void fadeTail(Samples& sound, float seconds) {
    const size_t n = std::min(sound.size(), static_cast<size_t>(seconds * kSoundRate));
    for (size_t i = 0; i < n; ++i) sound[sound.size() - 1 - i] *= static_cast<float>(i) / n;
}

bool writeSound(const std::string& path, const Samples& sound) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !makeDirs(path.substr(0, slash))) return false;
    SF_INFO format{};
    format.samplerate = kSoundRate;
    format.channels = 1;
    format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &format);
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const sf_count_t frames = static_cast<sf_count_t>(sound.size());
    const bool ok = sf_writef_float(file, sound.data(), frames) == frames;
    sf_close(file);
    if (!ok) std::fprintf(stderr, "assetgen: short write to %s\n", path.c_str());
    return ok;
}
