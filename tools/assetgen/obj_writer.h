#pragma once
// Wavefront OBJ text for one mesh: "v", "vt" and "vn" lines, one of each per
// mesh vertex, and triangles as "f v/t/n v/t/n v/t/n". Coordinates are
// written as given; the caller has already turned them into the file's axes
// and units.
#include <string>

#include "mesh.h"

std::string objText(const Mesh& mesh, const std::string& title);
// Writes the text to path (creating folders); false and a message on failure.
bool writeObj(const std::string& path, const Mesh& mesh, const std::string& title);
