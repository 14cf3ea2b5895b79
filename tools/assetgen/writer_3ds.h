#pragma once
// Binary 3DS files: materials (name, diffuse colour, texture map) and mesh
// objects (vertices, texture coordinates, faces with one material group).
// Models are built in game axes (y up); the file stores z up, so a game point
// (x, y, z) is written as (x, -z, y).
#include <cstdint>
#include <string>
#include <vector>

#include "mesh.h"

std::vector<std::uint8_t> encode3ds(const Model& model);
// Encodes and writes the model; false and a message when it cannot be stored
// (a file error, or an object with more than 65535 vertices or faces).
bool write3ds(const std::string& path, const Model& model);
