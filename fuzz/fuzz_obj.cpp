// Feeds arbitrary text to the OBJ reader and checks every kept face names
// existing entries.
#include <cstddef>
#include <cstdint>

#include "assets/obj_model.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setMessageSink([](const char*, const std::string&) {});
    ObjModel model;
    model.loadFromText(reinterpret_cast<const char*>(data), size, "fuzz.obj");
    if (model.status != ObjStatus::Ok) return 0;
    const std::size_t vertices = model.vertices.size() / 3;
    const std::size_t normals = model.normals.size() / 3;
    const std::size_t texCoords = model.texCoords.size() / 3;
    for (const ObjTriangle& t : model.triangles) {
        for (int k = 0; k < 3; ++k) {
            if (std::size_t(t.vertexIndex[k]) >= vertices) __builtin_trap();
            if (normals && std::size_t(t.normalIndex[k]) >= normals) __builtin_trap();
            if (texCoords && std::size_t(t.texCoordIndex[k]) >= texCoords) __builtin_trap();
        }
    }
    return 0;
}
