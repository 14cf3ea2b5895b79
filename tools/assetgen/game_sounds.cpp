// The game's sounds, synthesised from noise, oscillators and envelopes.
// Each has its own noise seed, so every run writes the same bytes.
#include "game_sounds.h"

#include <cmath>
#include <string>

#include "asset_sets.h"
#include "sound_synth.h"

namespace {

// A blast: a hard crack, a low-passed noise boom whose brightness falls
// away, a sinking sub-bass thump and a crackle of debris.
struct Blast {
    float seconds;
    float crack;                 // level of the first crack
    float boomDecay;             // seconds
    float brightFrom, brightTo;  // low-pass cutoff of the boom, hertz
    float brightTau;             // how fast the boom darkens
    float thumpFrom, thumpTo;    // sub-bass glide, hertz
    float thumpDecay;
    float rumbleDecay;  // long low tail
    int crackles;       // debris pops
    float crackleSpan;  // seconds over which they fall
};

Samples blast(const Blast& b, std::uint32_t seed) {
    Noise noise(seed);
    Samples out = silence(b.seconds);
    LowPass boomFilter, rumbleFilter, crackLow;
    Sine thump;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        const float crack = (n - crackLow.step(n, 1500.0f)) * hitEnvelope(t, 0.0005f, 0.012f);
        const float boom = boomFilter.step(n, glide(t, b.brightFrom, b.brightTo, b.brightTau)) *
                           hitEnvelope(t, 0.004f, b.boomDecay);
        const float sub = thump.step(glide(t, b.thumpFrom, b.thumpTo, 0.15f)) *
                          hitEnvelope(t, 0.003f, b.thumpDecay);
        const float rumble = rumbleFilter.step(n, 110.0f) * hitEnvelope(t, 0.05f, b.rumbleDecay);
        out[i] = b.crack * crack + 2.2f * boom + 0.9f * sub + 6.0f * rumble;
    }
    // Debris: short pops of band-passed noise, thinning out over time.
    for (int k = 0; k < b.crackles; ++k) {
        const float u = static_cast<float>(noise.below(1000)) / 1000.0f;
        const float start = 0.05f + b.crackleSpan * u * u;
        const float centre = 1500.0f + static_cast<float>(noise.below(4000));
        const float level = 0.15f + 0.35f * static_cast<float>(noise.below(100)) / 100.0f;
        BandPass pop;
        const size_t from = static_cast<size_t>(start * kSoundRate);
        for (size_t i = 0; i < static_cast<size_t>(0.02f * kSoundRate) && from + i < out.size();
             ++i)
            out[from + i] += level * pop.step(noise.next(), centre, 4.0f) *
                             hitEnvelope(timeAt(i), 0.0003f, 0.003f) * 4.0f;
    }
    return out;
}

// A struck metal body: inharmonic partials, each fading at its own rate.
Samples clang(float seconds, const float (*partials)[3], int count) {
    Samples out = silence(seconds);
    for (int p = 0; p < count; ++p) {
        Sine tone;
        for (size_t i = 0; i < out.size(); ++i)
            out[i] += partials[p][1] * tone.step(partials[p][0]) *
                      hitEnvelope(timeAt(i), 0.001f, partials[p][2]);
    }
    return out;
}

Samples shellFire() {
    // Sharp crack with a low thump behind it.
    Noise noise(101);
    Samples out = silence(0.7f);
    LowPass crackLow, tail;
    BandPass body;
    Sine thump;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        const float crack = (n - crackLow.step(n, 2000.0f)) * hitEnvelope(t, 0.0005f, 0.012f);
        const float bang = body.step(n, 1200.0f, 1.2f) * hitEnvelope(t, 0.001f, 0.06f);
        const float low =
            thump.step(glide(t, 140.0f, 45.0f, 0.06f)) * hitEnvelope(t, 0.002f, 0.15f);
        const float rumble = tail.step(n, 200.0f) * hitEnvelope(t, 0.01f, 0.25f);
        out[i] = 1.6f * crack + 0.8f * bang + 1.0f * low + 2.5f * rumble;
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.9f);
    return out;
}

Samples missileLaunch() {
    // Ignition pop, then a hiss that climbs in pitch as the motor lights up.
    Noise noise(202);
    Samples out = silence(1.2f);
    LowPass pop, roar;
    BandPass hiss, air;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        const float ignition = pop.step(n, 3000.0f) * hitEnvelope(t, 0.001f, 0.02f);
        // An exponential sweep: the ear hears equal steps of pitch.
        const float centre = 300.0f * std::pow(4000.0f / 300.0f, std::min(1.0f, t / 1.0f));
        const float swell =
            std::min(1.0f, t / 0.08f) * (t > 0.8f ? std::exp(-(t - 0.8f) / 0.15f) : 1.0f);
        const float rush =
            1.5f * hiss.step(n, centre, 3.0f) + 0.4f * air.step(n, centre * 2.2f, 1.0f);
        const float low = roar.step(n, 150.0f) * hitEnvelope(t, 0.03f, 0.5f);
        out[i] = 2.0f * ignition + rush * swell + 5.0f * low;
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.8f);
    return out;
}

Samples missileFlight() {
    // A steady rocket hiss over a low roar, with a slight flutter; loops.
    Noise noise(303);
    Samples out = silence(1.1f);
    BandPass hiss, air;
    LowPass roar;
    Sine flutter;
    for (size_t i = 0; i < out.size(); ++i) {
        const float n = noise.next();
        const float f = 1.0f + 0.15f * flutter.step(12.0f);
        out[i] = (hiss.step(n, 1800.0f, 0.8f) + 0.4f * air.step(n, 5000.0f, 1.0f)) * f +
                 4.0f * roar.step(n, 200.0f);
    }
    foldLoop(out, 0.1f);
    normalise(out, 0.6f);
    return out;
}

Samples enemyFire() {
    // A duller, deeper gun than the player's: less crack, more boom.
    Noise noise(404);
    Samples out = silence(0.9f);
    LowPass blastFilter, tail;
    Sine thump;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        const float bang = blastFilter.step(n, 1500.0f) * hitEnvelope(t, 0.001f, 0.04f);
        const float low = thump.step(glide(t, 90.0f, 35.0f, 0.08f)) * hitEnvelope(t, 0.002f, 0.22f);
        const float rumble = tail.step(n, 120.0f) * hitEnvelope(t, 0.01f, 0.4f);
        out[i] = 2.5f * bang + 1.0f * low + 4.0f * rumble;
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.85f);
    return out;
}

Samples enemyImpact() {
    // A clank on armour: a click, a crunch of torn metal, short ringing
    // partials (a bell would ring on) and a short thud.
    static const float partials[][3] = {{410.0f, 1.0f, 0.12f},
                                        {1020.0f, 0.7f, 0.08f},
                                        {1580.0f, 0.5f, 0.06f},
                                        {2330.0f, 0.35f, 0.045f},
                                        {3170.0f, 0.25f, 0.035f}};
    Samples out = clang(0.5f, partials, 5);
    Noise noise(505);
    LowPass low;
    BandPass crunch;
    Sine thud;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        out[i] += 1.5f * (n - low.step(n, 2500.0f)) * hitEnvelope(t, 0.0003f, 0.003f) +
                  2.5f * crunch.step(n, 2000.0f, 1.0f) * hitEnvelope(t, 0.0005f, 0.025f) +
                  1.2f * thud.step(80.0f) * hitEnvelope(t, 0.001f, 0.06f);
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.8f);
    return out;
}

Samples playerHit() {
    // A heavy blow on our own hull: lower and longer ringing, a hard thud, a crunch.
    static const float partials[][3] = {
        {220.0f, 1.0f, 0.4f}, {540.0f, 0.8f, 0.3f}, {910.0f, 0.5f, 0.2f}, {1370.0f, 0.35f, 0.12f}};
    Samples out = clang(0.9f, partials, 4);
    Noise noise(909);
    BandPass crunch;
    Sine thud;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        out[i] += 2.0f * crunch.step(noise.next(), 800.0f, 0.9f) * hitEnvelope(t, 0.001f, 0.08f) +
                  2.0f * thud.step(glide(t, 70.0f, 40.0f, 0.05f)) * hitEnvelope(t, 0.002f, 0.15f);
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.9f);
    return out;
}

Samples engine() {
    // A diesel's low rumble: a 32 Hz firing tone with strong harmonics,
    // beating at 8 Hz, and rough low noise. Every tone completes whole
    // cycles in the second, so the loop has no seam.
    Noise noise(1010);
    Samples out = silence(1.1f);
    LowPass rough, darker;
    const float harmonics[][2] = {{1, 0.6f},  {2, 1.0f}, {3, 0.5f},
                                  {4, 0.35f}, {6, 0.2f}, {9, 0.1f}};
    Sine tones[6], beat;
    for (size_t i = 0; i < out.size(); ++i) {
        float tone = 0.0f;
        for (int h = 0; h < 6; ++h)
            tone += harmonics[h][1] * tones[h].step(32.0f * harmonics[h][0]);
        const float pulse = 0.65f + 0.35f * beat.step(8.0f);
        const float grit = darker.step(rough.step(noise.next(), 300.0f), 300.0f);
        out[i] = tone * pulse + 5.0f * grit * pulse;
    }
    foldLoop(out, 0.1f);
    normalise(out, 0.7f);
    return out;
}

Samples embers() {
    // Sparks: a fading sizzle and many tiny pops that thin out.
    Noise noise(1111);
    Samples out = silence(1.3f);
    LowPass low;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        out[i] = 0.25f * (n - low.step(n, 3000.0f)) * hitEnvelope(t, 0.01f, 0.5f);
    }
    for (int k = 0; k < 70; ++k) {
        const float u = static_cast<float>(noise.below(1000)) / 1000.0f;
        const size_t from = static_cast<size_t>((0.01f + 1.1f * u * u) * kSoundRate);
        const float centre = 2000.0f + static_cast<float>(noise.below(4000));
        const float level = 0.3f + 0.7f * static_cast<float>(noise.below(100)) / 100.0f;
        BandPass pop;
        for (size_t i = 0; i < static_cast<size_t>(0.01f * kSoundRate) && from + i < out.size();
             ++i)
            out[from + i] += 3.0f * level * pop.step(noise.next(), centre, 3.0f) *
                             hitEnvelope(timeAt(i), 0.0002f, 0.0015f);
    }
    fadeTail(out, 0.05f);
    normalise(out, 0.8f);
    return out;
}

Samples menuClick() {
    // A crisp tick and two short rising blips.
    Noise noise(1212);
    Samples out = silence(0.18f);
    LowPass low;
    Sine first, second;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = timeAt(i);
        const float n = noise.next();
        const float tick = (n - low.step(n, 3000.0f)) * hitEnvelope(t, 0.0002f, 0.002f);
        const float a = first.step(880.0f) * hitEnvelope(t, 0.002f, 0.015f);
        const float b = second.step(1320.0f) * hitEnvelope(t - 0.04f, 0.002f, 0.025f);
        out[i] = tick + 0.6f * a + 0.6f * b;
    }
    fadeTail(out, 0.02f);
    normalise(out, 0.5f);
    return out;
}

}  // namespace

const std::vector<GeneratedSound>& gameSounds() {
    static const std::vector<GeneratedSound> sounds = {
        {"shell_fire", shellFire},
        {"missile_launch", missileLaunch},
        {"missile_flight", missileFlight},
        {"enemy_fire", enemyFire},
        {"enemy_impact", enemyImpact},
        {"burst_missile",
         [] {
             Samples s = blast(
                 {1.6f, 0.8f, 0.35f, 2000.0f, 150.0f, 0.3f, 60.0f, 30.0f, 0.3f, 0.5f, 25, 0.8f},
                 606);
             fadeTail(s, 0.1f);
             normalise(s, 0.85f);
             return s;
         }},
        {"burst_enemy_shell",
         [] {
             Samples s = blast(
                 {1.1f, 0.6f, 0.2f, 2500.0f, 300.0f, 0.2f, 80.0f, 40.0f, 0.2f, 0.3f, 10, 0.5f},
                 707);
             fadeTail(s, 0.1f);
             normalise(s, 0.75f);
             return s;
         }},
        {"burst_destroyed",
         [] {
             // The biggest: a main blast, a second one just after, a long tail.
             Samples s = blast(
                 {2.8f, 1.0f, 0.7f, 1500.0f, 80.0f, 0.5f, 50.0f, 22.0f, 0.6f, 1.2f, 60, 2.0f}, 808);
             const Samples second = blast(
                 {2.0f, 0.5f, 0.4f, 1800.0f, 120.0f, 0.4f, 70.0f, 30.0f, 0.3f, 0.6f, 20, 1.0f},
                 818);
             addInto(s, second, 0.7f, static_cast<size_t>(0.12f * kSoundRate));
             fadeTail(s, 0.2f);
             normalise(s, 0.95f);
             return s;
         }},
        {"player_hit", playerHit},
        {"engine", engine},
        {"embers", embers},
        {"menu_click", menuClick},
    };
    return sounds;
}

bool writeSounds(const std::string& outDir) {
    bool ok = true;
    for (const GeneratedSound& sound : gameSounds())
        ok = writeSound(outDir + "/sound/" + sound.name + ".wav", sound.make()) && ok;
    return ok;
}
