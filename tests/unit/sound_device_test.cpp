// The OpenAL output through OpenAL Soft's file backend: a sound to the
// listener's left is heard on the left, one beyond the visible range not at
// all, and the device lets go cleanly with a silent end.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "sound/openal_output.h"

namespace {

const std::string kAssets = BRAKKON_ASSET_DIR;

struct Recording {
    std::vector<short> frames;  // left, right interleaved
    double energy(int channel, size_t from = 0) const {
        double sum = 0.0;
        for (size_t i = 2 * from + channel; i < frames.size(); i += 2)
            sum += static_cast<double>(frames[i]) * frames[i];
        return sum;
    }
    // Largest sample from frame `from` on, both channels.
    int peak(size_t from = 0) const {
        int high = 0;
        for (size_t i = 2 * from; i < frames.size(); ++i)
            high = std::max(high, std::abs(static_cast<int>(frames[i])));
        return high;
    }
};

class SoundDevice : public ::testing::Test {
protected:
    static std::string recordingPath;

    static void SetUpTestSuite() {
        // Read by OpenAL once, when it is first used.
        const std::string base = ::testing::TempDir() + "sound_device" + std::to_string(getpid());
        recordingPath = base + ".wav";
        std::ofstream(base + ".conf") << "[general]\nchannels = stereo\nsample-type = int16\n"
                                         "frequency = 44100\n[wave]\nfile = "
                                      << recordingPath << "\n";
        setenv("ALSOFT_CONF", (base + ".conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
    }

    // Plays one sound for a while on a fresh device and returns what the device wrote.
    Recording record(SoundId sound, Vec3 at, bool looped = false) {
        std::vector<std::string> said;
        SoundBank bank;
        bank.load(kAssets, [&](const std::string& line) { said.push_back(line); });
        EXPECT_TRUE(said.empty());
        {
            OpenAlOutput out([&](const std::string& line) { said.push_back(line); });
            EXPECT_TRUE(out.ready());
            EXPECT_TRUE(said.empty());
            out.upload(bank);
            out.placeListener({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 10.0f});  // facing +z
            EXPECT_GE(out.play(sound, at, 1.0f, 1.0f, looped), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            out.shutDown();
        }
        Recording r;
        SF_INFO format{};
        SNDFILE* file = sf_open(recordingPath.c_str(), SFM_READ, &format);
        EXPECT_TRUE(file) << recordingPath;
        if (!file) return r;
        EXPECT_EQ(format.channels, 2);
        r.frames.resize(static_cast<size_t>(format.frames) * 2);
        sf_readf_short(file, r.frames.data(), format.frames);
        sf_close(file);
        return r;
    }
};
std::string SoundDevice::recordingPath;

TEST_F(SoundDevice, SoundsArePlacedAroundTheListenerAndFadeOutWithDistance) {
    // Facing +z with +y up, +x is on the left: as on the screen.
    const Recording left = record(SoundId::MenuClick, {6.0f, 0.0f, 0.0f});
    EXPECT_GT(left.energy(0), 0.0);
    EXPECT_GT(left.energy(0), 2.0 * left.energy(1));
    const Recording right = record(SoundId::MenuClick, {-6.0f, 0.0f, 3.0f});
    EXPECT_GT(right.energy(1), 2.0 * right.energy(0));

    // Half way to the end of the fog is quieter than close by; past it, nothing.
    const Recording near = record(SoundId::EnemyImpact, {0.0f, 0.0f, 5.0f});
    const Recording middle = record(SoundId::EnemyImpact, {0.0f, 0.0f, 130.0f});
    const Recording beyond = record(SoundId::EnemyImpact, {0.0f, 0.0f, 260.0f});
    EXPECT_GT(near.energy(0), 2.0 * middle.energy(0));
    EXPECT_GT(middle.energy(0), 0.0);
    // Silence here allows for the device's dither in the last bit.
    EXPECT_GT(middle.peak(), 2);
    EXPECT_LE(beyond.peak(), 2);

    // Stopped while the engine runs: the sound fades out before the device
    // closes, so its last words are silence.
    const Recording engine = record(SoundId::Engine, {0.0f, 0.0f, 2.0f}, true);
    const size_t frames = engine.frames.size() / 2;
    ASSERT_GT(frames, 44100u / 4);
    EXPECT_GT(engine.energy(0, frames / 2), 1e6 * (frames / 2));
    EXPECT_LE(engine.peak(frames - 200), 2);
}

}  // namespace
