#pragma once
// The 3DS chunk reader: materials and mesh objects, axes turned so y is up.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/vec3.h"

struct ChunkCursor {
    std::uint16_t id = 0;
    std::uint32_t length = 0;
    std::uint32_t consumed = 0;
};

struct Material3DS {
    char name[255] = {};
    char textureFileName[255] = {};
    std::uint8_t colour[3] = {0, 0, 0};
};

struct TexCoord3DS {
    float u = 0.0f;
    float v = 0.0f;
};

struct Face3DS {
    std::int32_t vertexIndex[3] = {0, 0, 0};
};

struct Object3DS {
    std::int32_t vertexCount = 0;
    std::int32_t faceCount = 0;
    std::int32_t texCoordCount = 0;
    std::int32_t materialIndex = 0;
    bool textured = false;
    char name[255] = {};
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals;
    std::vector<TexCoord3DS> texCoords;
    std::vector<Face3DS> faces;
};

struct SceneData3DS {
    std::int32_t objectCount = 0;
    std::int32_t materialCount = 0;
    std::vector<Material3DS> materials;
    std::vector<Object3DS> objects;
};

class Reader3DS {
public:
    std::FILE* file = nullptr;  // open only while a read is in progress

    // Appends the file's materials and objects to scene; false when the file
    // cannot be opened or does not start with the primary chunk.
    bool read(SceneData3DS& scene, const char* fileName);
    // The same reader over a file's bytes already in memory; `name` is used
    // in messages. Needs no OpenGL context.
    bool readFromMemory(SceneData3DS& scene, const std::uint8_t* data, std::size_t size,
                        const char* name);
};

// Fills the object's normals: per vertex, the unit sum of the (area-weighted)
// face vectors of the faces that use it. Faces must name existing vertices.
void computeVertexNormals(Object3DS& object);
