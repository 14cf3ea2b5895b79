#pragma once
// The names of every file the game opens from its folder by a fixed name.
// The game's loaders, the asset tool that writes the folder, the manifest
// and the tests all take the names from here. Texture pictures named inside
// 3DS files are not listed: the model files name them.
#include <string>

namespace assetnames {

// Screen pictures: intro, menu, loading and closing.
inline constexpr const char* kIntroPicture = "Intro.bmp";
inline constexpr const char* kMenuPicture = "Menu.bmp";
inline constexpr const char* kLoadingPicture = "mask.bmp";
inline constexpr const char* kClosingPicture = "THANKYOU.bmp";
// The intro, menu and loading pictures in each screen shape: 4:3 (the ones
// above), 16:9 and 21:9 (see screen_fit.h).
inline constexpr const char* kIntroPictures[] = {kIntroPicture, "Intro_16x9.bmp", "Intro_21x9.bmp"};
inline constexpr const char* kMenuPictures[] = {kMenuPicture, "Menu_16x9.bmp", "Menu_21x9.bmp"};
inline constexpr const char* kLoadingPictures[] = {kLoadingPicture, "mask_16x9.bmp",
                                                   "mask_21x9.bmp"};

// The ground texture and the five sky faces.
inline constexpr const char* kDesertPicture = "desert.bmp";
inline constexpr const char* kSkyBackPicture = "back.bmp";
inline constexpr const char* kSkyFrontPicture = "front.bmp";
inline constexpr const char* kSkyTopPicture = "top.bmp";
inline constexpr const char* kSkyLeftPicture = "left.bmp";
inline constexpr const char* kSkyRightPicture = "right.bmp";

// The HUD: the crosshair with its mask, and the four counter labels.
inline constexpr const char* kCrosshairMaskPicture = "HUD_GAN.bmp";
inline constexpr const char* kCrosshairPicture = "HUD_GANR.bmp";
inline constexpr const char* kHurtLabelPicture = "HUD_D.bmp";
inline constexpr const char* kKilledLabelPicture = "HUD_K.bmp";
inline constexpr const char* kHitLabelPicture = "HUD_BH.bmp";
inline constexpr const char* kFiredLabelPicture = "HUD_BF.bmp";

// The plasma ball sprite and its mask.
inline constexpr const char* kPlasmaPicture = "f_plasma.bmp";
inline constexpr const char* kPlasmaMaskPicture = "f_plasma_mask.bmp";

constexpr int kDigitPictureCount = 10;
constexpr int kBurstFrameCount = 8;
// "0m.bmp" .. "9m.bmp": the picture of one HUD digit.
inline std::string digitPicture(int digit) { return std::to_string(digit) + "m.bmp"; }
// "rlboom_1.bmp" .. "rlboom_8.bmp" and their masks: burst frames from 1.
inline std::string burstPicture(int frame) { return "rlboom_" + std::to_string(frame) + ".bmp"; }
inline std::string burstMaskPicture(int frame) {
    return "rlboom_" + std::to_string(frame) + "_mask.bmp";
}

// The player tank's parts, the plain set first; the order fixes the part
// numbers the tank draws by.
constexpr int kTankPartCount = 25;
inline constexpr const char* kTankPartModels[kTankPartCount] = {
    "obj/RX/CannonIn.obj",
    "obj/RX/CannonOut.obj",
    "obj/RX/GunBarrel.obj",
    "obj/RX/GunBase.obj",
    "obj/RX/Main.obj",
    "obj/RX/tb11.obj",
    "obj/RX/Top_Silver.obj",
    "obj/RX/Track.obj",
    "obj/RX/Track1.obj",
    "obj/RX/Track2.obj",
    "obj/RX/Track3.obj",
    "obj/RX/Track4.obj",
    "obj/RX/DETAIL/CanIn.obj",
    "obj/RX/DETAIL/CanOut.obj",
    "obj/RX/DETAIL/GunBarrel.obj",
    "obj/RX/DETAIL/GunBase_b.obj",
    "obj/RX/DETAIL/GunBase_s.obj",
    "obj/RX/DETAIL/Main.obj",
    "obj/RX/DETAIL/TopBlue.obj",
    "obj/RX/DETAIL/TopSilver.obj",
    "obj/RX/DETAIL/track0.obj",
    "obj/RX/DETAIL/track1.obj",
    "obj/RX/DETAIL/track2.obj",
    "obj/RX/DETAIL/track3.obj",
    "obj/RX/DETAIL/track4.obj",
};

// The two debris pieces.
inline constexpr const char* kDebrisSmallModel = "obj/debris/BS_1.obj";
inline constexpr const char* kDebrisLargeModel = "obj/debris/BS_2.obj";

// The 3DS models of the level, in load order: enemies, shell, block roof and
// walls, missile, then the scenery models of prop kinds 41..47.
constexpr int kWorldModelCount = 32;
inline constexpr const char* kWorldModels[kWorldModelCount] = {
    "obj/Enemy/EJ.3DS",
    "obj/Enemy/EJ_CAR.3DS",
    "obj/Enemy/EJ_LIGHT.3DS",
    "obj/Enemy/EJ_WHEEL.3DS",
    "obj/Enemy/EJ_WIN.3DS",
    "obj/Enemy/EMM_BASE_R.3DS",
    "obj/Enemy/EMM_GUN.3DS",
    "obj/Enemy/EMM_GUN_R.3DS",
    "obj/Enemy/EMM_MB_B.3DS",
    "obj/Enemy/EMM_TOP_R.3DS",
    "obj/Enemy/EMM_TOP_W.3DS",
    "obj/Enemy/EMM_TRACK_B.3DS",
    "obj/Enemy/EMMB.3DS",
    "obj/Enemy/EMMR.3DS",
    "obj/Enemy/EMMW.3DS",
    "obj/Enemy/EM1_BASE.3DS",
    "obj/Enemy/EM1_BASEB.3DS",
    "obj/Enemy/EM1_TOP.3DS",
    "obj/Enemy/EM1_TOPB.3DS",
    "obj/Enemy/EM1_GUN.3DS",
    "obj/Enemy/EM1_GUNB.3DS",
    "obj/weapon/shell.3DS",
    "obj/ROOF.3DS",
    "obj/NOTROOF.3DS",
    "obj/weapon/MISS.3DS",
    "obj/world/cactus.3DS",
    "obj/world/F_MF.3DS",
    "obj/world/S_lum.3DS",
    "obj/world/S_bosk.3DS",
    "obj/world/S_S.3DS",
    "obj/world/S_stop.3DS",
    "obj/world/S_tavi.3DS",
};

}  // namespace assetnames
