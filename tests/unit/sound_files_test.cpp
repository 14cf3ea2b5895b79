// The asset tool's sounds read back through the game's reader (libsndfile):
// every sound the game asks for exists, has its rate and length, is neither
// silent nor clipped, loops without a seam where it loops; and a missing or
// damaged file is named once while the rest still load.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <vector>

#include "game_sounds.h"
#include "sound/sound_file.h"
#include "sound_synth.h"

namespace {

const std::string kAssets = BRAKKON_ASSET_DIR;

struct Level {
    double peak = 0.0;  // 0..1
    double rms = 0.0;
    double seconds = 0.0;
};

Level measure(const SoundSamples& s) {
    Level level;
    double sum = 0.0;
    for (short v : s.samples) {
        level.peak = std::max(level.peak, std::fabs(v / 32768.0));
        sum += (v / 32768.0) * (v / 32768.0);
    }
    level.rms = std::sqrt(sum / s.samples.size());
    level.seconds = static_cast<double>(s.samples.size()) / s.rate;
    return level;
}

SoundSamples readGenerated(SoundId id) {
    SoundSamples sound;
    std::string problem;
    EXPECT_TRUE(readSoundFile(kAssets + "/" + soundFilePath(id), sound, problem))
        << soundFilePath(id) << " " << problem;
    return sound;
}

TEST(SoundFiles, EverySoundIsThereAudibleAndUnclipped) {
    // Lengths in seconds: one-shots long enough to be heard out, loops one second.
    const std::map<SoundId, std::pair<double, double>> lengths = {
        {SoundId::ShellFire, {0.3, 1.0}},       {SoundId::MissileLaunch, {0.6, 2.0}},
        {SoundId::MissileFlight, {1.0, 1.0}},   {SoundId::EnemyFire, {0.3, 1.5}},
        {SoundId::EnemyImpact, {0.2, 1.0}},     {SoundId::BurstMissile, {0.8, 2.5}},
        {SoundId::BurstEnemyShell, {0.5, 2.0}}, {SoundId::BurstDestroyed, {1.5, 4.0}},
        {SoundId::PlayerHit, {0.3, 1.5}},       {SoundId::Engine, {1.0, 1.0}},
        {SoundId::Embers, {0.5, 2.0}},          {SoundId::MenuClick, {0.05, 0.5}}};
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundId id = static_cast<SoundId>(i);
        SCOPED_TRACE(soundFilePath(id));
        const SoundSamples sound = readGenerated(id);
        ASSERT_EQ(sound.rate, 44100);
        const Level level = measure(sound);
        EXPECT_GE(level.seconds, lengths.at(id).first - 0.001);
        EXPECT_LE(level.seconds, lengths.at(id).second + 0.001);
        EXPECT_LT(level.peak, 0.97);                     // headroom: never at full scale
        EXPECT_GT(level.peak, 0.3);                      // not a whisper
        EXPECT_GT(level.rms, std::pow(10, -35.0 / 20));  // not silence with a click
        // One-shots end in silence, so cutting them off is inaudible.
        if (id != SoundId::Engine && id != SoundId::MissileFlight) {
            EXPECT_LT(std::abs(sound.samples.back()), 40);
        }
    }
}

TEST(SoundFiles, LoopsJoinWithoutAStep) {
    for (SoundId id : {SoundId::Engine, SoundId::MissileFlight}) {
        SCOPED_TRACE(soundFilePath(id));
        const SoundSamples sound = readGenerated(id);
        ASSERT_GT(sound.samples.size(), 2u);
        // The jump from the last sample back to the first is no bigger than
        // the sound's ordinary steps from one sample to the next.
        int largestStep = 0;
        for (size_t i = 1; i < sound.samples.size(); ++i)
            largestStep = std::max(largestStep, std::abs(sound.samples[i] - sound.samples[i - 1]));
        EXPECT_LE(std::abs(sound.samples.front() - sound.samples.back()), largestStep);
    }
}

TEST(SoundFiles, TheDestroyedEnemysBurstIsTheBiggest) {
    auto energy = [](SoundId id) {
        const Level level = measure(readGenerated(id));
        return level.rms * level.rms * level.seconds;
    };
    const double destroyed = energy(SoundId::BurstDestroyed);
    EXPECT_GT(destroyed, 1.5 * energy(SoundId::BurstMissile));
    EXPECT_GT(destroyed, 1.5 * energy(SoundId::BurstEnemyShell));
    EXPECT_GT(measure(readGenerated(SoundId::BurstDestroyed)).seconds,
              measure(readGenerated(SoundId::BurstMissile)).seconds);
}

TEST(SoundFiles, TheToolMakesTheSameSoundsEveryTime) {
    for (const GeneratedSound& sound : gameSounds()) {
        SCOPED_TRACE(sound.name);
        EXPECT_EQ(sound.make(), sound.make());
    }
    // And exactly the ones the game reads.
    ASSERT_EQ(gameSounds().size(), static_cast<size_t>(kSoundCount));
    for (int i = 0; i < kSoundCount; ++i)
        EXPECT_EQ("sound/" + gameSounds()[i].name + ".wav", soundFilePath(static_cast<SoundId>(i)));
}

TEST(SoundFiles, AMissingOrDamagedFileIsNamedOnceAndTheRestLoad) {
    const std::string folder = ::testing::TempDir() + "sounds" + std::to_string(getpid());
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundId id = static_cast<SoundId>(i);
        if (id == SoundId::Engine) continue;  // missing
        Samples tone(4410, 0.0f);
        for (size_t k = 0; k < tone.size(); ++k) tone[k] = 0.5f * std::sin(k * 0.1f);
        ASSERT_TRUE(writeSound(folder + "/" + soundFilePath(id), tone));
    }
    // Damaged: a header and then nothing, and a file that is no sound at all.
    std::ofstream(folder + "/" + soundFilePath(SoundId::ShellFire), std::ios::trunc) << "RIFF";
    std::ofstream(folder + "/" + soundFilePath(SoundId::Embers), std::ios::trunc) << "not a sound";

    std::vector<std::string> said;
    SoundBank bank;
    bank.load(folder, [&](const std::string& line) { said.push_back(line); });
    ASSERT_EQ(said.size(), 3u);
    EXPECT_NE(said[0].find("sound/shell_fire.wav"), std::string::npos) << said[0];
    EXPECT_NE(said[1].find("sound/engine.wav is missing"), std::string::npos) << said[1];
    EXPECT_NE(said[2].find("sound/embers.wav"), std::string::npos) << said[2];
    for (int i = 0; i < kSoundCount; ++i) {
        const SoundId id = static_cast<SoundId>(i);
        const bool broken =
            id == SoundId::Engine || id == SoundId::ShellFire || id == SoundId::Embers;
        EXPECT_EQ(bank.has(id), !broken) << soundFilePath(id);
        EXPECT_EQ(bank[id].samples.size(), broken ? 0u : 4410u) << soundFilePath(id);
    }
    // Stereo is refused: the sounds are placed in 3D, one channel each.
    const std::string stereoPath = folder + "/stereo.wav";
    SF_INFO format{};
    format.samplerate = 44100;
    format.channels = 2;
    format.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(stereoPath.c_str(), SFM_WRITE, &format);
    ASSERT_TRUE(file);
    const short frames[8] = {100, -100, 200, -200, 300, -300, 400, -400};
    sf_writef_short(file, frames, 4);
    sf_close(file);
    std::string problem;
    SoundSamples stereo;
    EXPECT_FALSE(readSoundFile(stereoPath, stereo, problem));
    EXPECT_EQ(problem, "has 2 channels where one is needed");
    EXPECT_TRUE(stereo.samples.empty());
}

}  // namespace
