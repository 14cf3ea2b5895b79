#pragma once
// A minimal PNG writer (8-bit RGBA, stored deflate blocks) for the desktop icon.
#include <string>
#include <vector>

#include "image.h"

// alpha: one byte per pixel, same layout as image.pixels; empty means opaque.
bool writePng(const std::string& path, const Image& image, const std::vector<std::uint8_t>& alpha);
