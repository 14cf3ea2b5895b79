#pragma once
// Wavefront OBJ text for one mesh: "v", "vt" and "vn" lines, one of each per
// mesh vertex, and triangles as "f v/t/n v/t/n v/t/n". Coordinates are
// written as given; the caller has already turned them into the file's axes
// and units.
#include <string>

#include "mesh.h"

//
// The game's OBJ reader keeps normals exactly as written and the game draws
// without renormalising, so a model drawn scaled by s looks right when its
// normals have length s: normalLength sets that length.
std::string objText(const Mesh& mesh, const std::string& title, float normalLength = 1.0f);
// Writes the text to path (creating folders); false and a message on failure.
bool writeObj(const std::string& path, const Mesh& mesh, const std::string& title,
              float normalLength = 1.0f);
