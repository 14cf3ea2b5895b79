#include "writer_3ds.h"

#include <cstdio>
#include <cstring>

namespace {
// Chunk ids of the subset the game reads.
enum : std::uint16_t {
    kPrimary = 0x4D4D,
    kVersion = 0x0002,
    kColour24 = 0x0011,
    kEditor = 0x3D3D,
    kMeshVersion = 0x3D3E,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertices = 0x4110,
    kFaces = 0x4120,
    kFaceMaterial = 0x4130,
    kTexCoords = 0x4140,
    kMaterial = 0xAFFF,
    kMaterialName = 0xA000,
    kDiffuse = 0xA020,
    kTextureMap = 0xA200,
    kMapFileName = 0xA300,
};

// Little-endian byte sink with nested chunks whose lengths are patched in
// when each chunk is closed.
class ChunkWriter {
public:
    std::vector<std::uint8_t> bytes;

    void u8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) u8((v >> (8 * i)) & 0xFF);
    }
    void f32(float f) {
        std::uint32_t v;
        std::memcpy(&v, &f, 4);
        u32(v);
    }
    void text(const std::string& s) {
        for (char c : s) u8(static_cast<unsigned char>(c));
        u8(0);
    }
    void open(std::uint16_t id) {
        starts_.push_back(bytes.size());
        u16(id);
        u32(0);
    }
    void close() {
        const size_t start = starts_.back();
        starts_.pop_back();
        const std::uint32_t length = static_cast<std::uint32_t>(bytes.size() - start);
        for (int i = 0; i < 4; ++i) bytes[start + 2 + i] = (length >> (8 * i)) & 0xFF;
    }

private:
    std::vector<size_t> starts_;
};

void writeMaterial(ChunkWriter& w, const MeshMaterial& material) {
    w.open(kMaterial);
    w.open(kMaterialName);
    w.text(material.name);
    w.close();
    w.open(kDiffuse);
    w.open(kColour24);
    w.u8(material.colour.r);
    w.u8(material.colour.g);
    w.u8(material.colour.b);
    w.close();
    w.close();
    if (!material.textureFile.empty()) {
        w.open(kTextureMap);
        w.open(kMapFileName);
        w.text(material.textureFile);
        w.close();
        w.close();
    }
    w.close();
}

void writeObject(ChunkWriter& w, const ModelObject& object, const std::string& materialName) {
    const Mesh& mesh = object.mesh;
    w.open(kObject);
    w.text(object.name);
    w.open(kTriangleMesh);

    w.open(kVertices);
    w.u16(static_cast<unsigned>(mesh.vertices.size()));
    for (const MeshVertex& v : mesh.vertices) {
        // Game (x, y, z) with y up becomes file (x, -z, y) with z up.
        w.f32(v.position.x);
        w.f32(-v.position.z);
        w.f32(v.position.y);
    }
    w.close();

    w.open(kTexCoords);
    w.u16(static_cast<unsigned>(mesh.vertices.size()));
    for (const MeshVertex& v : mesh.vertices) {
        w.f32(v.u);
        w.f32(v.v);
    }
    w.close();

    w.open(kFaces);
    w.u16(static_cast<unsigned>(mesh.triangles.size()));
    for (const MeshTriangle& t : mesh.triangles) {
        w.u16(static_cast<unsigned>(t.a));
        w.u16(static_cast<unsigned>(t.b));
        w.u16(static_cast<unsigned>(t.c));
        w.u16(0x0007);  // all three edges visible
    }
    // One material group holding every face, nested in the face list.
    w.open(kFaceMaterial);
    w.text(materialName);
    w.u16(static_cast<unsigned>(mesh.triangles.size()));
    for (size_t i = 0; i < mesh.triangles.size(); ++i) w.u16(static_cast<unsigned>(i));
    w.close();
    w.close();

    w.close();  // triangle mesh
    w.close();  // object
}
}  // namespace

std::vector<std::uint8_t> encode3ds(const Model& model) {
    ChunkWriter w;
    w.open(kPrimary);
    w.open(kVersion);
    w.u32(3);
    w.close();
    w.open(kEditor);
    // Readers skip the editor chunk's first sub-chunk unseen, so it must be
    // the mesh version and never a material or an object.
    w.open(kMeshVersion);
    w.u32(3);
    w.close();
    for (const MeshMaterial& material : model.materials) writeMaterial(w, material);
    for (const ModelObject& object : model.objects) {
        const bool known =
            object.material >= 0 && object.material < static_cast<int>(model.materials.size());
        writeObject(w, object, known ? model.materials[object.material].name : "");
    }
    w.close();
    w.close();
    return w.bytes;
}

bool write3ds(const std::string& path, const Model& model) {
    for (const ModelObject& object : model.objects) {
        if (object.mesh.vertices.size() > 0xFFFF || object.mesh.triangles.size() > 0xFFFF) {
            std::fprintf(stderr, "assetgen: %s: object %s is too large for a 3DS file\n",
                         path.c_str(), object.name.c_str());
            return false;
        }
    }
    return writeFileBytes(path, encode3ds(model));
}
