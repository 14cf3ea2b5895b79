#include "assets/reader_3ds.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/message_box.h"

namespace {

enum ChunkId : std::uint16_t {
    kPrimary = 0x4D4D,
    kVersion = 0x0002,
    kMeshData = 0x3D3D,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kMaterialGroup = 0x4130,
    kTexCoords = 0x4140,
    kMaterial = 0xAFFF,
    kMaterialName = 0xA000,
    kDiffuseColour = 0xA020,
    kTextureMap = 0xA200,
    kMapFileName = 0xA300,
};

constexpr std::size_t kNameCapacity = 255;  // 254 characters and the terminator
// Chunks nested deeper than this are passed over unread, so a hostile file
// cannot exhaust the stack.
constexpr int kMaxDepth = 32;

float floatAt(const std::uint8_t* p) {
    std::uint32_t bits = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                         (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Walks the chunk tree of one file held in memory. Every read is bounded by
// the chunk being read and by the end of the data; whatever does not fit is
// noted as damage and the walk goes on with what is there.
class ChunkWalker {
public:
    ChunkWalker(SceneData3DS& scene, const std::uint8_t* data, std::size_t size)
        : scene_(scene), data_(data), size_(size) {}

    bool damaged = false;

    // Reads the primary chunk; false when the data does not start with one.
    bool walkFile() {
        if (size_ < 6) return false;
        ChunkCursor primary;
        primary.id = std::uint16_t(data_[0] | (data_[1] << 8));
        primary.length = std::uint32_t(data_[2]) | (std::uint32_t(data_[3]) << 8) |
                         (std::uint32_t(data_[4]) << 16) | (std::uint32_t(data_[5]) << 24);
        if (primary.id != kPrimary) return false;
        pos_ = 6;
        primary.consumed = 6;
        if (primary.length < 6 || primary.length > size_) {
            damaged = true;
            primary.length = std::uint32_t(std::clamp<std::size_t>(primary.length, 6, size_));
        }
        mainWalk(primary, 0);
        return true;
    }

private:
    SceneData3DS& scene_;
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool versionWarned_ = false;

    static std::uint32_t remaining(const ChunkCursor& chunk) {
        return chunk.length - chunk.consumed;
    }

    // Copies up to n bytes of the chunk's payload; returns how many were there.
    std::size_t readBytes(ChunkCursor& chunk, void* out, std::size_t n) {
        const std::size_t take = std::min<std::size_t>({n, remaining(chunk), size_ - pos_});
        if (take < n) damaged = true;
        std::memcpy(out, data_ + pos_, take);
        pos_ += take;
        chunk.consumed += std::uint32_t(take);
        return take;
    }

    bool readU16(ChunkCursor& chunk, std::uint16_t& value) {
        std::uint8_t b[2];
        if (readBytes(chunk, b, 2) < 2) return false;
        value = std::uint16_t(b[0] | (b[1] << 8));
        return true;
    }

    // Passes over the rest of the chunk, which then counts as consumed.
    void consumeRest(ChunkCursor& chunk) {
        const std::size_t rest = remaining(chunk);
        const std::size_t skip = std::min(rest, size_ - pos_);
        if (skip < rest) damaged = true;
        pos_ += skip;
        chunk.consumed = chunk.length;
    }

    // Reads the header of the next chunk inside `parent`, with its length
    // clamped to what the parent still holds.
    bool readHeader(ChunkCursor& parent, ChunkCursor& child) {
        const std::uint32_t room = remaining(parent);
        if (room == 0) return false;
        if (room < 6 || size_ - pos_ < 6) {
            consumeRest(parent);
            damaged = true;
            return false;
        }
        const std::uint8_t* p = data_ + pos_;
        child.id = std::uint16_t(p[0] | (p[1] << 8));
        child.length = std::uint32_t(p[2]) | (std::uint32_t(p[3]) << 8) |
                       (std::uint32_t(p[4]) << 16) | (std::uint32_t(p[5]) << 24);
        child.consumed = 6;
        pos_ += 6;
        if (child.length < 6 || child.length > room) {
            damaged = true;
            child.length = std::clamp<std::uint32_t>(child.length, 6, room);
        }
        return true;
    }

    // A zero-terminated string read byte by byte, up to and including the
    // zero; at most 254 characters are kept.
    void readString(ChunkCursor& chunk, char (&out)[kNameCapacity]) {
        std::memset(out, 0, kNameCapacity);
        std::size_t kept = 0;
        for (;;) {
            std::uint8_t c;
            if (readBytes(chunk, &c, 1) < 1) return;
            if (c == 0) return;
            if (kept < kNameCapacity - 1) out[kept++] = char(c);
        }
    }

    // The rest of the chunk is the text, terminator included.
    void readPayloadText(ChunkCursor& chunk, char (&out)[kNameCapacity]) {
        std::memset(out, 0, kNameCapacity);
        const std::size_t length = std::min<std::size_t>(remaining(chunk), kNameCapacity - 1);
        readBytes(chunk, out, length);
        consumeRest(chunk);
    }

    template <typename Walk>
    void walkChildren(ChunkCursor& parent, int depth, Walk handle) {
        if (depth > kMaxDepth) {
            damaged = true;
            consumeRest(parent);
            return;
        }
        while (parent.consumed < parent.length) {
            ChunkCursor child;
            if (!readHeader(parent, child)) break;
            handle(child);
            parent.consumed += child.consumed;
        }
    }

    void mainWalk(ChunkCursor& parent, int depth) {
        walkChildren(parent, depth, [&](ChunkCursor& chunk) {
            switch (chunk.id) {
                case kVersion: {
                    std::uint8_t b[4];
                    if (remaining(chunk) >= 4 && readBytes(chunk, b, 4) == 4) {
                        const std::uint32_t version = std::uint32_t(b[0]) | (b[1] << 8) |
                                                      (b[2] << 16) | (std::uint32_t(b[3]) << 24);
                        if (version > 3 && !versionWarned_) {
                            versionWarned_ = true;
                            showMessageBox(
                                "Warning",
                                "This 3DS file is over version 3 so it may load incorrectly");
                        }
                    }
                    consumeRest(chunk);
                    break;
                }
                case kMeshData: {
                    // The first sub-chunk (normally the mesh version) is passed over whole.
                    ChunkCursor first;
                    if (readHeader(chunk, first)) {
                        consumeRest(first);
                        chunk.consumed += first.consumed;
                    }
                    mainWalk(chunk, depth + 1);
                    break;
                }
                case kObject: {
                    scene_.objectCount++;
                    scene_.objects.emplace_back();
                    const std::size_t index = scene_.objects.size() - 1;
                    readString(chunk, scene_.objects[index].name);
                    objectWalk(chunk, index, depth + 1);
                    break;
                }
                case kMaterial: {
                    scene_.materialCount++;
                    scene_.materials.emplace_back();
                    materialWalk(chunk, scene_.materials.size() - 1, depth + 1);
                    break;
                }
                default:
                    consumeRest(chunk);
            }
        });
    }

    void materialWalk(ChunkCursor& parent, std::size_t index, int depth) {
        walkChildren(parent, depth, [&](ChunkCursor& chunk) {
            Material3DS& material = scene_.materials[index];
            switch (chunk.id) {
                case kMaterialName:
                    readPayloadText(chunk, material.name);
                    break;
                case kDiffuseColour: {
                    // Only the first sub-chunk is read here; later ones are met
                    // by this walk as siblings.
                    ChunkCursor colour;
                    if (readHeader(chunk, colour)) {
                        if (remaining(colour) >= 3) readBytes(colour, material.colour, 3);
                        consumeRest(colour);
                        chunk.consumed += colour.consumed;
                    }
                    break;
                }
                case kTextureMap:
                    materialWalk(chunk, index, depth + 1);
                    break;
                case kMapFileName:
                    readPayloadText(chunk, material.textureFileName);
                    break;
                default:
                    consumeRest(chunk);
            }
        });
    }

    void objectWalk(ChunkCursor& parent, std::size_t index, int depth) {
        walkChildren(parent, depth, [&](ChunkCursor& chunk) {
            Object3DS& object = scene_.objects[index];
            switch (chunk.id) {
                case kTriangleMesh:
                    objectWalk(chunk, index, depth + 1);
                    break;
                case kVertexList: {
                    const std::size_t count = readCount(chunk, 12);
                    object.vertices.assign(count, Vec3{});
                    for (Vec3& v : object.vertices) {
                        std::uint8_t b[12];
                        readBytes(chunk, b, 12);
                        // The file's z axis is the game's up axis.
                        v = {floatAt(b), floatAt(b + 8), -floatAt(b + 4)};
                    }
                    object.vertexCount = std::int32_t(count);
                    consumeRest(chunk);
                    break;
                }
                case kFaceList: {
                    const std::size_t count = readCount(chunk, 8);
                    object.faces.assign(count, Face3DS{});
                    for (Face3DS& face : object.faces) {
                        std::uint8_t b[8];
                        readBytes(chunk, b, 8);
                        for (int k = 0; k < 3; ++k)
                            face.vertexIndex[k] = b[2 * k] | (b[2 * k + 1] << 8);
                    }
                    object.faceCount = std::int32_t(count);
                    // The groups that follow inside this chunk are read as
                    // siblings; a short list leaves no such groups to read.
                    if (remaining(chunk) < 6) consumeRest(chunk);
                    break;
                }
                case kMaterialGroup: {
                    char name[kNameCapacity];
                    readString(chunk, name);
                    matchMaterial(object, name);
                    consumeRest(chunk);
                    break;
                }
                case kTexCoords: {
                    const std::size_t count = readCount(chunk, 8);
                    object.texCoords.assign(count, TexCoord3DS{});
                    for (TexCoord3DS& t : object.texCoords) {
                        std::uint8_t b[8];
                        readBytes(chunk, b, 8);
                        t = {floatAt(b), floatAt(b + 4)};
                    }
                    object.texCoordCount = std::int32_t(count);
                    consumeRest(chunk);
                    break;
                }
                default:
                    consumeRest(chunk);
            }
        });
    }

    // A 16-bit entry count, cut down to the entries the chunk really holds.
    std::size_t readCount(ChunkCursor& chunk, std::size_t entrySize) {
        std::uint16_t count = 0;
        if (!readU16(chunk, count)) return 0;
        const std::size_t room = std::min<std::size_t>(remaining(chunk), size_ - pos_);
        if (count * entrySize > room) {
            damaged = true;
            return room / entrySize;
        }
        return count;
    }

    void matchMaterial(Object3DS& object, const char* name) {
        for (std::size_t i = 0; i < scene_.materials.size(); ++i) {
            const Material3DS& material = scene_.materials[i];
            if (std::strcmp(material.name, name) != 0) {
                if (!object.textured) object.materialIndex = -1;
                continue;
            }
            if (material.textureFileName[0] != '\0') {
                object.materialIndex = std::int32_t(i);
                object.textured = true;
            }
            return;
        }
    }
};

// Faces naming vertices the object does not have are dropped.
bool dropBadFaces(Object3DS& object) {
    const auto bad = [&](const Face3DS& f) {
        for (int k = 0; k < 3; ++k) {
            if (f.vertexIndex[k] < 0 || f.vertexIndex[k] >= object.vertexCount) return true;
        }
        return false;
    };
    const auto end = std::remove_if(object.faces.begin(), object.faces.end(), bad);
    const bool any = end != object.faces.end();
    object.faces.erase(end, object.faces.end());
    object.faceCount = std::int32_t(object.faces.size());
    return any;
}

}  // namespace

void computeVertexNormals(Object3DS& object) {
    // Each face adds its vector once to each distinct corner; summing in face
    // order per vertex gives the same result as visiting every face per vertex.
    std::vector<Vec3> sums(object.vertices.size());
    for (const Face3DS& face : object.faces) {
        const int a = face.vertexIndex[0], b = face.vertexIndex[1], c = face.vertexIndex[2];
        const Vec3& pa = object.vertices[a];
        const Vec3& pb = object.vertices[b];
        const Vec3& pc = object.vertices[c];
        const Vec3 u = {pb.x - pa.x, pb.y - pa.y, pb.z - pa.z};
        const Vec3 w = {pc.x - pa.x, pc.y - pa.y, pc.z - pa.z};
        const Vec3 n = {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
        auto add = [&](int v) {
            sums[v].x += n.x;
            sums[v].y += n.y;
            sums[v].z += n.z;
        };
        add(a);
        if (b != a) add(b);
        if (c != a && c != b) add(c);
    }
    object.normals.resize(sums.size());
    for (std::size_t i = 0; i < sums.size(); ++i) {
        const Vec3& s = sums[i];
        const float length = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
        // A vertex no face with an area uses gets an upward normal.
        object.normals[i] =
            length > 0.0f ? Vec3{s.x / length, s.y / length, s.z / length} : Vec3{0.0f, 1.0f, 0.0f};
    }
}

bool Reader3DS::readFromMemory(SceneData3DS& scene, const std::uint8_t* data, std::size_t size,
                               const char* name) {
    // Nothing is appended before the primary chunk has been recognised, so a
    // file that is not a 3DS model leaves the scene untouched.
    const std::size_t firstObject = scene.objects.size();
    ChunkWalker walker(scene, data, size);
    if (!walker.walkFile()) {
        showMessageBoxf("Error", "Unable to load PRIMARY chuck from file: %s!", name);
        return false;
    }
    bool damaged = walker.damaged;
    for (std::size_t i = firstObject; i < scene.objects.size(); ++i) {
        if (dropBadFaces(scene.objects[i])) damaged = true;
        computeVertexNormals(scene.objects[i]);
    }
    if (damaged) showMessageBoxf("Error", "Damaged 3DS file: %s!", name);
    return true;
}

bool Reader3DS::read(SceneData3DS& scene, const char* fileName) {
    file = std::fopen(fileName, "rb");
    if (!file) {
        showMessageBoxf("Error", "Unable to find the file: %s!", fileName);
        return false;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    const bool ok = readFromMemory(scene, bytes.data(), bytes.size(), fileName);
    std::fclose(file);
    file = nullptr;
    return ok;
}
