#pragma once
// Wavefront OBJ models: a two-pass reader and an immediate-mode draw.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class ObjStatus : std::int32_t { Ok = 0, CountMismatch = 2, FileNotFound = 4 };

struct ObjTriangle {
    std::int32_t vertexIndex[4] = {0, 0, 0, 0};
    std::int32_t normalIndex[4] = {0, 0, 0, 0};
    std::int32_t texCoordIndex[4] = {0, 0, 0, 0};
};

class ObjModel {
public:
    std::vector<float> vertices;   // 3 per vertex
    std::vector<float> normals;    // 3 per normal; empty when the file has none
    std::vector<float> texCoords;  // 3 per coordinate (u, v, 0); empty when none
    std::vector<ObjTriangle> triangles;
    std::int32_t vertexCount = 0;
    std::int32_t normalCount = 0;
    std::int32_t texCoordCount = 0;
    std::int32_t faceCount = 0;  // after a load: triangles built
    // max x, min x, max y, min y, max z, min z
    float boundingBox[6] = {0, 0, 0, 0, 0, 0};
    ObjStatus status = ObjStatus::Ok;

    bool load(const char* fileName);
    // The same reader over a file's bytes already in memory; `name` is used in
    // messages. Needs no OpenGL context.
    bool loadFromText(const char* text, std::size_t size, const char* name);
    // Emits the triangles; nothing unless the status is Ok.
    void draw() const;
};
