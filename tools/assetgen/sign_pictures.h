#pragma once
// The pictures that the textured 3DS models name. Each path is stored in its
// model file and read by the game relative to its own folder.
#include <string>

inline const char* const kStopPicture = "obj/world/sign_stop.bmp";
inline const char* const kLimitPicture = "obj/world/sign_limit.bmp";
inline const char* const kMinesPicture = "obj/world/sign_mines.bmp";
inline const char* const kTownPicture = "obj/world/sign_town.bmp";
inline const char* const kWaterPicture = "obj/world/sign_water.bmp";
inline const char* const kFlagPicture = "obj/world/flag.bmp";
inline const char* const kBlockWallPicture = "obj/block_wall.bmp";
inline const char* const kBlockRoofPicture = "obj/block_roof.bmp";

// Writes all of them under outDir; false when one could not be written.
bool writeSignPictures(const std::string& outDir);
