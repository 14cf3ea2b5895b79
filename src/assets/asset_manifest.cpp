#include "assets/asset_manifest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <iterator>

#include "assets/asset_names.h"

namespace {

std::vector<std::string> buildList() {
    using namespace assetnames;
    std::vector<std::string> files = {
        kIntroPicture,     kMenuPicture,        kLoadingPicture,       kClosingPicture,
        kDesertPicture,    kSkyBackPicture,     kSkyFrontPicture,      kSkyTopPicture,
        kSkyLeftPicture,   kSkyRightPicture,    kCrosshairMaskPicture, kCrosshairPicture,
        kHurtLabelPicture, kKilledLabelPicture, kHitLabelPicture,      kFiredLabelPicture,
        kPlasmaPicture,    kPlasmaMaskPicture};
    // The wide screen pictures; the 4:3 ones are listed above.
    files.insert(files.end(), std::begin(kIntroPictures) + 1, std::end(kIntroPictures));
    files.insert(files.end(), std::begin(kMenuPictures) + 1, std::end(kMenuPictures));
    files.insert(files.end(), std::begin(kLoadingPictures) + 1, std::end(kLoadingPictures));
    for (int d = 0; d < kDigitPictureCount; ++d) files.push_back(digitPicture(d));
    for (int f = 1; f <= kBurstFrameCount; ++f) {
        files.push_back(burstPicture(f));
        files.push_back(burstMaskPicture(f));
    }
    files.insert(files.end(), std::begin(kTankPartModels), std::end(kTankPartModels));
    files.push_back(kDebrisSmallModel);
    files.push_back(kDebrisLargeModel);
    files.insert(files.end(), std::begin(kWorldModels), std::end(kWorldModels));
    return files;
}

bool isReadableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), R_OK) == 0;
}

}  // namespace

const std::vector<std::string>& requiredAssetFiles() {
    static const std::vector<std::string> files = buildList();
    return files;
}

std::vector<std::string> missingAssetFiles(const std::string& folder) {
    std::vector<std::string> missing;
    for (const std::string& file : requiredAssetFiles())
        if (!isReadableFile(folder + "/" + file)) missing.push_back(file);
    return missing;
}

std::string missingGameFolderMessage(const std::string& folder) {
    const std::size_t missing = missingAssetFiles(folder).size();
    const std::size_t total = requiredAssetFiles().size();
    if (missing * 2 <= total) return "";
    return "Brakkon's pictures and models are not in " + folder + ", where it looked for them (" +
           std::to_string(missing) + " of " + std::to_string(total) +
           " files are missing). Start the game with the command brakkon, or from its folder.";
}
