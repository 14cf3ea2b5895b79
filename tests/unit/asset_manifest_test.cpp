#include <gtest/gtest.h>
#include <unistd.h>

#include <set>

#include "app/asset_manifest.h"
#include "platform/message_box.h"
#include "support/message_capture.h"

TEST(AssetManifest, ListsEveryFixedFileOnce) {
    const auto& files = requiredAssetFiles();
    // 18 pictures + 10 digits + 16 burst frames + 25 tank parts + 2 debris + 32 models.
    EXPECT_EQ(files.size(), 103u);
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()).size(), files.size());
}

TEST(AssetManifest, ReportsAMissingFolderByNameAndCarriesOn) {
    MessageCapture capture;
    const auto missing = missingAssetFiles("/nonexistent-brakkon-folder");
    EXPECT_EQ(missing.size(), requiredAssetFiles().size());
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_GT(reportMissingAssets(), 0);
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_NE(capture.messages()[0].text.find("The game folder / is missing"), std::string::npos);
    EXPECT_NE(capture.messages()[0].text.find("Intro.bmp"), std::string::npos);
}
