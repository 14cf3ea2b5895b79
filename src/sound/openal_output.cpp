#include "sound/openal_output.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

constexpr int kVoices = 32;
// How long the sound fades out when the program ends, so it stops without a click.
constexpr double kFadeOutSeconds = 0.05;

// Sound libraries write their probing chatter straight to standard error
// (no card, no server). The game says in one line what it found instead.
// Left alone when the player asked OpenAL for its log.
class QuietStandardError {
public:
    QuietStandardError() {
        if (std::getenv("ALSOFT_LOGLEVEL")) return;
        std::fflush(stderr);
        saved = dup(2);
        const int devNull = open("/dev/null", O_WRONLY);
        if (saved < 0 || devNull < 0) {
            if (devNull >= 0) close(devNull);
            return;
        }
        dup2(devNull, 2);
        close(devNull);
    }
    ~QuietStandardError() {
        if (saved < 0) return;
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
    }

private:
    int saved = -1;
};

}  // namespace

struct OpenAlOutput::Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint buffers[kSoundCount] = {};
    bool hasBuffer[kSoundCount] = {};
    ALuint sources[kVoices] = {};
    float basePitch[kVoices] = {};
    bool looped[kVoices] = {};
    bool busy[kVoices] = {};  // started and not stopped by us
    unsigned startOrder[kVoices] = {};
    unsigned started = 0;
    float pitchScale = 1.0f;
    // The listener's gain comes from both; the player may set the volume
    // from the game's thread while the sound thread mutes.
    std::mutex gainLock;
    bool muted = false;
    float volume = 1.0f;

    void setGain() {
        if (context) alListenerf(AL_GAIN, muted ? 0.0f : volume);
    }

    bool playing(int v) const {
        ALint state = AL_STOPPED;
        alGetSourcei(sources[v], AL_SOURCE_STATE, &state);
        return state == AL_PLAYING || state == AL_PAUSED;
    }

    // A free voice, or the oldest one-shot when all are taken; loops are kept.
    int freeVoice() const {
        int oldest = -1;
        for (int v = 0; v < kVoices; ++v) {
            if (!busy[v] || (!looped[v] && !playing(v))) return v;
            if (!looped[v] && (oldest < 0 || startOrder[v] < startOrder[oldest])) oldest = v;
        }
        return oldest;
    }

    void close() {
        if (context) {
            alcMakeContextCurrent(context);
            alDeleteSources(kVoices, sources);
            alDeleteBuffers(kSoundCount, buffers);
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
            context = nullptr;
        }
        if (device) alcCloseDevice(device);
        device = nullptr;
    }
};

OpenAlOutput::OpenAlOutput(const std::function<void(const std::string&)>& say)
    : device(std::make_unique<Device>()) {
    Device& d = *device;
    {
        QuietStandardError quiet;
        d.device = alcOpenDevice(nullptr);
        if (d.device) d.context = alcCreateContext(d.device, nullptr);
        if (d.context && alcMakeContextCurrent(d.context) != ALC_TRUE) d.close();
    }
    if (!d.context) {
        d.close();
        say("Brakkon: no sound device found; the game plays without sound.");
        return;
    }
    alDistanceModel(AL_LINEAR_DISTANCE_CLAMPED);
    alDopplerFactor(0.0f);
    alGenBuffers(kSoundCount, d.buffers);
    alGenSources(kVoices, d.sources);
    for (ALuint source : d.sources) {
        alSourcef(source, AL_REFERENCE_DISTANCE, kSoundFullWithin);
        alSourcef(source, AL_MAX_DISTANCE, kSoundSilentBeyond);
        alSourcef(source, AL_ROLLOFF_FACTOR, 1.0f);
    }
    if (alGetError() != AL_NO_ERROR) {
        d.close();
        say("Brakkon: the sound device could not be set up; the game plays without sound.");
    }
}

OpenAlOutput::~OpenAlOutput() { device->close(); }

bool OpenAlOutput::ready() const { return device->context != nullptr; }

void OpenAlOutput::upload(const SoundBank& bank) {
    Device& d = *device;
    if (!d.context) return;
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundSamples& s = bank.sounds[i];
        if (!bank.loaded[i]) continue;
        alGetError();
        alBufferData(d.buffers[i], AL_FORMAT_MONO16, s.samples.data(),
                     static_cast<ALsizei>(s.samples.size() * sizeof(short)), s.rate);
        d.hasBuffer[i] = alGetError() == AL_NO_ERROR;
    }
}

int OpenAlOutput::play(SoundId sound, const Vec3& at, float pitch, float gain, bool looped) {
    Device& d = *device;
    const int id = static_cast<int>(sound);
    if (!d.context || id < 0 || id >= kSoundCount || !d.hasBuffer[id]) return -1;
    const int v = d.freeVoice();
    if (v < 0) return -1;
    const ALuint source = d.sources[v];
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(d.buffers[id]));
    alSource3f(source, AL_POSITION, at.x, at.y, at.z);
    alSourcef(source, AL_PITCH, pitch * d.pitchScale);
    alSourcef(source, AL_GAIN, gain);
    alSourcei(source, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
    alSourcePlay(source);
    d.basePitch[v] = pitch;
    d.looped[v] = looped;
    d.busy[v] = true;
    d.startOrder[v] = ++d.started;
    return v;
}

void OpenAlOutput::move(int voice, const Vec3& at) {
    if (!device->context || voice < 0 || voice >= kVoices) return;
    alSource3f(device->sources[voice], AL_POSITION, at.x, at.y, at.z);
}

void OpenAlOutput::adjust(int voice, float pitch, float gain) {
    Device& d = *device;
    if (!d.context || voice < 0 || voice >= kVoices) return;
    d.basePitch[voice] = pitch;
    alSourcef(d.sources[voice], AL_PITCH, pitch * d.pitchScale);
    alSourcef(d.sources[voice], AL_GAIN, gain);
}

void OpenAlOutput::stop(int voice) {
    Device& d = *device;
    if (!d.context || voice < 0 || voice >= kVoices) return;
    alSourceStop(d.sources[voice]);
    d.busy[voice] = false;
    d.looped[voice] = false;
}

void OpenAlOutput::placeListener(const Vec3& eye, const Vec3& target) {
    if (!device->context) return;
    float at[3] = {target.x - eye.x, target.y - eye.y, target.z - eye.z};
    const float length = std::sqrt(at[0] * at[0] + at[1] * at[1] + at[2] * at[2]);
    if (length == 0.0f) return;
    const float orientation[6] = {at[0] / length, at[1] / length, at[2] / length, 0.0f, 1.0f, 0.0f};
    alListener3f(AL_POSITION, eye.x, eye.y, eye.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenAlOutput::setPitchScale(float scale) {
    Device& d = *device;
    d.pitchScale = scale;
    if (!d.context) return;
    for (int v = 0; v < kVoices; ++v) {
        if (d.busy[v]) alSourcef(d.sources[v], AL_PITCH, d.basePitch[v] * scale);
    }
}

void OpenAlOutput::setMuted(bool muted) {
    const std::lock_guard<std::mutex> hold(device->gainLock);
    device->muted = muted;
    device->setGain();
}

void OpenAlOutput::setVolume(float volume) {
    const std::lock_guard<std::mutex> hold(device->gainLock);
    device->volume = volume;
    device->setGain();
}

void OpenAlOutput::shutDown() {
    Device& d = *device;
    if (!d.context) return;
    alListenerf(AL_GAIN, 0.0f);
    // Wait until the device has played the fade, by its own clock when it
    // tells one, so the last thing it plays is silence.
    using namespace std::chrono;
    const auto begin = steady_clock::now();
    if (alcIsExtensionPresent(d.device, "ALC_SOFT_device_clock")) {
        auto getClock = reinterpret_cast<LPALCGETINTEGER64VSOFT>(
            alcGetProcAddress(d.device, "alcGetInteger64vSOFT"));
        ALCint64SOFT start = 0, clock = 0;
        getClock(d.device, ALC_DEVICE_CLOCK_SOFT, 1, &start);
        const ALCint64SOFT fade = static_cast<ALCint64SOFT>(kFadeOutSeconds * 1e9);
        do {
            std::this_thread::sleep_for(milliseconds(5));
            getClock(d.device, ALC_DEVICE_CLOCK_SOFT, 1, &clock);
        } while (clock - start < fade && steady_clock::now() - begin < milliseconds(500));
    } else {
        std::this_thread::sleep_for(duration<double>(kFadeOutSeconds));
    }
    d.close();
}
