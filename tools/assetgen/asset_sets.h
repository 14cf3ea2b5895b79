#pragma once
// The groups of files the asset tool writes. Each returns false when a file
// could not be written.
#include <string>

// "Intro.bmp", "Menu.bmp", "mask.bmp" in each screen shape, and "THANKYOU.bmp".
bool writeScreenPictures(const std::string& outDir);
// HUD, digits, plasma and explosion sprites with their masks.
bool writeGamePictures(const std::string& outDir);
// "desert.bmp" and the five sky faces.
bool writeWorldPictures(const std::string& outDir);
// Every OBJ and 3DS model plus the texture pictures the 3DS files name.
bool writeModels(const std::string& outDir);
// The launcher icon "brakkon.png" at each of kDesktopIconSizes, in the icon
// theme's folders under "icons/" (see desktopIconFolder).
bool writeDesktopIcon(const std::string& outDir);
constexpr int kDesktopIconSizes[] = {48, 64, 128, 256};
// "icons/hicolor/<size>x<size>/apps", relative to the output folder.
std::string desktopIconFolder(int size);
// The sounds in "sound/": 16-bit mono WAV files.
bool writeSounds(const std::string& outDir);
