#pragma once
// The sound director's output through OpenAL: 3D voices around a listener
// at the camera, fading out with distance over the visible range.
#include <functional>
#include <memory>
#include <string>

#include "sound/sound_file.h"
#include "sound/sound_output.h"

// Sounds fade linearly from full at this distance to silence where the fog ends.
constexpr float kSoundFullWithin = 8.0f;
constexpr float kSoundSilentBeyond = 254.0f;

class OpenAlOutput : public SoundOutput {
public:
    // Opens the default sound device. Without one it stays silent and says
    // so in one line through `say`.
    explicit OpenAlOutput(const std::function<void(const std::string&)>& say);
    ~OpenAlOutput() override;

    bool ready() const;
    // Hands the device the bank's sounds; a sound the bank lacks stays silent.
    void upload(const SoundBank& bank);

    int play(SoundId sound, const Vec3& at, float pitch, float gain, bool looped) override;
    void move(int voice, const Vec3& at) override;
    void adjust(int voice, float pitch, float gain) override;
    void stop(int voice) override;
    void placeListener(const Vec3& eye, const Vec3& target) override;
    void setPitchScale(float scale) override;
    void setMuted(bool muted) override;
    // Every sound's loudness, 1 being full; safe from any thread.
    void setVolume(float volume);
    void shutDown() override;

private:
    struct Device;
    std::unique_ptr<Device> device;
};
