// The launcher's options as the game reads them: only the exact "--window"
// asks for a window; without it the game starts full screen as always.
#include "app/launch_options.h"

#include <gtest/gtest.h>

#include <vector>

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
}
