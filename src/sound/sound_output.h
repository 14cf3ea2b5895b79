#pragma once
// Where the sound director's decisions go: a 3D sound device, or a fake in tests.
#include "game/vec_math.h"
#include "sound/sound_set.h"

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts a sound at a point of the world. `pitch` is the sound's own;
    // the output multiplies it by the pitch scale. Returns a voice to move,
    // adjust or stop later, or -1 when nothing plays.
    virtual int play(SoundId sound, const Vec3& at, float pitch, float gain, bool looped) = 0;
    virtual void move(int voice, const Vec3& at) = 0;
    virtual void adjust(int voice, float pitch, float gain) = 0;
    virtual void stop(int voice) = 0;
    // The listener stands at `eye` and faces `target`, up being +y.
    virtual void placeListener(const Vec3& eye, const Vec3& target) = 0;
    // Multiplies the pitch of every voice, playing or to come.
    virtual void setPitchScale(float scale) = 0;
    virtual void setMuted(bool muted) = 0;
    // Fades out and lets the device go.
    virtual void shutDown() = 0;
};
