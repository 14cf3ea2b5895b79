// Without a sound device the output says so in one line, without alarming
// words, keeps the sound libraries' own complaints off the terminal, and
// then quietly does nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "sound/openal_output.h"

TEST(NoSoundDevice, OneQuietLineAndThenSilence) {
    // ALSA with no card configured: it fails to open and complains on
    // standard error, as on a machine without sound.
    const std::string base = ::testing::TempDir() + "no_device" + std::to_string(getpid());
    std::ofstream(base + ".asoundrc").close();
    setenv("ALSA_CONFIG_PATH", (base + ".asoundrc").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "alsa", 1);
    unsetenv("ALSOFT_LOGLEVEL");

    std::fflush(stderr);
    const int saved = dup(2);
    const int capture = open((base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(capture, 0);
    dup2(capture, 2);
    close(capture);
    std::vector<std::string> said;
    OpenAlOutput out([&](const std::string& line) { said.push_back(line); });
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::stringstream chatter;
    chatter << std::ifstream(base + ".err").rdbuf();
    EXPECT_EQ(chatter.str(), "");

    EXPECT_FALSE(out.ready());
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("no sound device"), std::string::npos) << said[0];
    for (const char* alarming : {"error", "Error", "ERROR", "fail"})
        EXPECT_EQ(said[0].find(alarming), std::string::npos) << said[0];
    EXPECT_EQ(out.play(SoundId::Engine, {}, 1.0f, 1.0f, true), -1);
    out.move(0, {});
    out.adjust(0, 1.0f, 1.0f);
    out.setPitchScale(0.3f);
    out.setMuted(true);
    out.shutDown();
    EXPECT_EQ(said.size(), 1u);
}
