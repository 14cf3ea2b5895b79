#include "app/asset_manifest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "platform/message_box.h"

namespace {

std::vector<std::string> buildList() {
    std::vector<std::string> files = {"Intro.bmp", "Menu.bmp", "mask.bmp", "THANKYOU.bmp",
                                      "desert.bmp", "back.bmp", "front.bmp", "top.bmp",
                                      "left.bmp", "right.bmp", "HUD_GAN.bmp", "HUD_GANR.bmp",
                                      "HUD_D.bmp", "HUD_K.bmp", "HUD_BH.bmp", "HUD_BF.bmp",
                                      "f_plasma.bmp", "f_plasma_mask.bmp"};
    for (int d = 0; d <= 9; ++d) files.push_back(std::to_string(d) + "m.bmp");
    for (int f = 1; f <= 8; ++f) {
        files.push_back("rlboom_" + std::to_string(f) + ".bmp");
        files.push_back("rlboom_" + std::to_string(f) + "_mask.bmp");
    }
    for (const char* name : {"CannonIn", "CannonOut", "GunBarrel", "GunBase", "Main", "tb11",
                             "Top_Silver", "Track", "Track1", "Track2", "Track3", "Track4"})
        files.push_back(std::string("obj/RX/") + name + ".obj");
    for (const char* name : {"CanIn", "CanOut", "GunBarrel", "GunBase_b", "GunBase_s", "Main",
                             "TopBlue", "TopSilver", "track0", "track1", "track2", "track3",
                             "track4"})
        files.push_back(std::string("obj/RX/DETAIL/") + name + ".obj");
    files.push_back("obj/debris/BS_1.obj");
    files.push_back("obj/debris/BS_2.obj");
    for (const char* name :
         {"EJ", "EJ_CAR", "EJ_LIGHT", "EJ_WHEEL", "EJ_WIN", "EMM_BASE_R", "EMM_GUN", "EMM_GUN_R",
          "EMM_MB_B", "EMM_TOP_R", "EMM_TOP_W", "EMM_TRACK_B", "EMMB", "EMMR", "EMMW", "EM1_BASE",
          "EM1_BASEB", "EM1_TOP", "EM1_TOPB", "EM1_GUN", "EM1_GUNB"})
        files.push_back(std::string("obj/Enemy/") + name + ".3DS");
    files.push_back("obj/weapon/shell.3DS");
    files.push_back("obj/ROOF.3DS");
    files.push_back("obj/NOTROOF.3DS");
    files.push_back("obj/weapon/MISS.3DS");
    for (const char* name : {"cactus", "F_MF", "S_lum", "S_bosk", "S_S", "S_stop", "S_tavi"})
        files.push_back(std::string("obj/world/") + name + ".3DS");
    return files;
}

bool isReadableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
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

int reportMissingAssets() {
    char cwd[PATH_MAX];
    const std::string folder = getcwd(cwd, sizeof cwd) ? cwd : ".";
    const std::vector<std::string> missing = missingAssetFiles(folder);
    if (missing.empty()) return 0;
    std::string text = "The game folder " + folder + " is missing " +
                       std::to_string(missing.size()) + " of " +
                       std::to_string(requiredAssetFiles().size()) + " asset files:";
    const size_t shown = std::min<size_t>(missing.size(), 8);
    for (size_t i = 0; i < shown; ++i) text += (i ? ", " : " ") + missing[i];
    if (missing.size() > shown) text += ", ...";
    text += ". Start the game with its launcher (brakkon), or from the folder the build made "
            "(build/game). The game carries on without them.";
    showMessageBox("Brakkon", text);
    return static_cast<int>(missing.size());
}
