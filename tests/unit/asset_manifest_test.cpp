#include "assets/asset_manifest.h"

#include <gtest/gtest.h>

#include <set>

TEST(AssetManifest, ListsEveryFixedFileOnce) {
    const auto& files = requiredAssetFiles();
    // 18 pictures + 6 wide screens + 10 digits + 16 burst frames + 25 tank parts
    // + 2 debris + 32 models.
    EXPECT_EQ(files.size(), 109u);
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()).size(), files.size());
}

TEST(AssetManifest, TheAssetToolWritesEveryFileTheGameOpens) {
    EXPECT_EQ(missingAssetFiles("/nonexistent-brakkon-folder").size(), requiredAssetFiles().size());
    EXPECT_EQ(missingAssetFiles(BRAKKON_ASSET_DIR), std::vector<std::string>{});
}

TEST(AssetManifest, AFolderWithoutMostFilesGetsOneMessageNamingIt) {
    const std::string message = missingGameFolderMessage("/nonexistent-brakkon-folder");
    EXPECT_NE(message.find("/nonexistent-brakkon-folder,"), std::string::npos) << message;
    EXPECT_NE(message.find("with the command brakkon, or from its folder"), std::string::npos);
    EXPECT_EQ(missingGameFolderMessage(BRAKKON_ASSET_DIR), "");
}
