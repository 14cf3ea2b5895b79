#pragma once
// The asset tool's pictures as PNG files, through the game's PNG writer.
#include <string>
#include <vector>

#include "image.h"

// alpha: one byte per pixel, same layout as image.pixels; empty means opaque.
// Creates missing parent folders. Returns false and prints why on failure.
bool writePng(const std::string& path, const Image& image, const std::vector<std::uint8_t>& alpha);
