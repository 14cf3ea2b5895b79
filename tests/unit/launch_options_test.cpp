// The options as the game reads them: only the exact "--window" asks for a
// window; without it the game starts full screen as always. --help and
// --version are answered, and an option the game cannot take is refused.
#include "app/launch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/display_options.h"

namespace {
LaunchOptions read(std::vector<const char*> args) {
    args.insert(args.begin(), "brakkon");
    return readLaunchOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}
}  // namespace

TEST(LaunchOptions, FullScreenUnlessAskedForAWindow) {
    EXPECT_FALSE(read({}).windowed);
    EXPECT_TRUE(read({"--window"}).windowed);
    EXPECT_TRUE(read({"-sync", "--window"}).windowed);
}

TEST(LaunchOptions, NearMissesAndOtherArgumentsChangeNothing) {
    EXPECT_FALSE(read({"-window"}).windowed);
    EXPECT_FALSE(read({"--windowed"}).windowed);
    EXPECT_FALSE(read({"--WINDOW"}).windowed);
    EXPECT_FALSE(read({"window", "--help"}).windowed);
    // GLUT's own options and plain words are left alone.
    EXPECT_EQ(read({"-display", ":1", "-sync", "window"}).answer, LaunchAnswer::Play);
}

TEST(LaunchOptions, HelpVersionAndUnknownOptionsAreAnsweredInOrder) {
    EXPECT_EQ(read({"--window", "--help"}).answer, LaunchAnswer::Help);
    EXPECT_EQ(read({"-h"}).answer, LaunchAnswer::Help);
    EXPECT_EQ(read({"--version", "--bogus"}).answer, LaunchAnswer::Version);
    for (const char* bad : {"--windowed", "--window=1", "--help=x", "--", "--fullscreen"}) {
        const LaunchOptions o = read({bad, "--help"});
        EXPECT_EQ(o.answer, LaunchAnswer::Refuse) << bad;
        EXPECT_EQ(o.refusal,
                  std::string("brakkon: unknown option '") + bad + "'\nTry 'brakkon --help'.");
    }
    // The help: the usage line, a long option's help under its name, the file.
    const std::string help = launchHelp("/cfg/brakkon/settings.ini");
    EXPECT_NE(help.find("\n  --design-pace\n              one"), std::string::npos) << help;
    EXPECT_NE(help.find("\n/cfg/brakkon/settings.ini;"), std::string::npos);
    EXPECT_EQ(help.rfind("Usage: brakkon [--window] [--design-pace] [--render-scale PERCENT] "
                         "[--replay FILE] [--check-replay FILE]\n",
                         0),
              0u);
    // A recorded fight's file, with or without '='.
    EXPECT_EQ(read({"--replay", "last"}).replayFile, "last");
    EXPECT_EQ(read({"--check-replay=a.replay"}).checkReplayFile, "a.replay");
    EXPECT_EQ(read({"--replay"}).answer, LaunchAnswer::Refuse);
}

TEST(LaunchOptions, PaceAndRenderScale) {
    EXPECT_FALSE(read({}).designPace);
    EXPECT_EQ(read({}).renderScalePercent, 0);
    EXPECT_TRUE(read({"--window", "--design-pace"}).designPace);
    EXPECT_EQ(read({"--render-scale", "50"}).renderScalePercent, 50);
    EXPECT_EQ(read({"--render-scale", "0.75", "--window"}).renderScalePercent, 75);
    EXPECT_TRUE(read({"--render-scale", "0.75", "--window"}).windowed);
    EXPECT_EQ(read({"--render-scale=1.0"}).renderScalePercent, 100);
    // Anything else is refused, and a value is never taken for an option.
    for (const char* bad : {"60", "0", "-50", "50%", "half", "", "1e9", "nan"}) {
        const LaunchOptions o = read({"--render-scale", bad});
        EXPECT_EQ(o.renderScalePercent, 0) << bad;
        EXPECT_EQ(o.answer, LaunchAnswer::Refuse) << bad;
        EXPECT_EQ(o.refusal,
                  std::string("brakkon: --render-scale takes 100, 75 or 50, not '") + bad + "'");
    }
    EXPECT_EQ(read({"--render-scale=33"}).refusal,
              "brakkon: --render-scale takes 100, 75 or 50, not '33'");
    EXPECT_EQ(read({"--render-scale"}).refusal, "brakkon: --render-scale takes 100, 75 or 50");
    EXPECT_EQ(read({"--render-scale", "50"}).answer, LaunchAnswer::Play);
}

TEST(LaunchOptions, TheCommandLineWinsOverTheSettingsFile) {
    Settings file;
    DisplayOptions chosen = chooseDisplayOptions(file, read({}));
    EXPECT_TRUE(chosen.keepPace);
    EXPECT_EQ(chosen.renderScalePercent, 100);

    file.keepPace = false;
    file.renderScale = 0.5;
    chosen = chooseDisplayOptions(file, read({}));
    EXPECT_FALSE(chosen.keepPace);
    EXPECT_EQ(chosen.renderScalePercent, 50);
    EXPECT_EQ(chooseDisplayOptions(file, read({"--render-scale", "75"})).renderScalePercent, 75);

    file.keepPace = true;
    EXPECT_FALSE(chooseDisplayOptions(file, read({"--design-pace"})).keepPace);
    file.renderScale = 0.6;  // not a scale the game draws at
    EXPECT_EQ(chooseDisplayOptions(file, read({})).renderScalePercent, 100);
}
