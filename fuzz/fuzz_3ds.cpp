// Feeds arbitrary bytes to the 3DS chunk reader and checks the scene it
// builds is consistent.
#include <cstddef>
#include <cstdint>

#include "assets/reader_3ds.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setMessageSink([](const char*, const std::string&) {});
    Reader3DS reader;
    SceneData3DS scene;
    reader.readFromMemory(scene, data, size, "fuzz.3ds");
    if (std::size_t(scene.objectCount) != scene.objects.size()) __builtin_trap();
    if (std::size_t(scene.materialCount) != scene.materials.size()) __builtin_trap();
    for (const Object3DS& object : scene.objects) {
        if (std::size_t(object.vertexCount) != object.vertices.size()) __builtin_trap();
        if (object.normals.size() != object.vertices.size()) __builtin_trap();
        if (std::size_t(object.faceCount) != object.faces.size()) __builtin_trap();
        for (const Face3DS& f : object.faces) {
            for (int k = 0; k < 3; ++k) {
                if (std::size_t(f.vertexIndex[k]) >= object.vertices.size()) __builtin_trap();
            }
        }
        if (object.name[254] != '\0') __builtin_trap();
    }
    for (const Material3DS& m : scene.materials) {
        if (m.name[254] != '\0' || m.textureFileName[254] != '\0') __builtin_trap();
    }
    return 0;
}
