#pragma once
// Builders for small picture and model files written byte by byte in tests.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void putU16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void putU32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
inline void putF32(Bytes& b, float f) {
    std::uint32_t v;
    static_assert(sizeof v == sizeof f, "32-bit floats");
    __builtin_memcpy(&v, &f, 4);
    putU32(b, v);
}
inline void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void appendText(Bytes& b, const std::string& s, bool terminator = true) {
    b.insert(b.end(), s.begin(), s.end());
    if (terminator) b.push_back(0);
}

// A BMP file with a 40-byte info header; `pixelData` is stored as given.
struct BmpSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    Bytes masks;    // compression 3: three 32-bit masks
    Bytes palette;  // 4 bytes per entry: blue, green, red, 0
    Bytes pixelData;
};

inline Bytes makeBmp(const BmpSpec& s) {
    Bytes info;
    putU32(info, 40);
    putU32(info, std::uint32_t(s.width));
    putU32(info, std::uint32_t(s.height));
    putU16(info, 1);
    putU16(info, s.bitsPerPixel);
    putU32(info, s.compression);
    putU32(info, std::uint32_t(s.pixelData.size()));
    putU32(info, 2835);
    putU32(info, 2835);
    putU32(info, s.coloursUsed);
    putU32(info, 0);
    Bytes file = {'B', 'M'};
    const std::uint32_t offset =
        14 + std::uint32_t(info.size() + s.masks.size() + s.palette.size());
    putU32(file, offset + std::uint32_t(s.pixelData.size()));
    putU32(file, 0);
    putU32(file, offset);
    append(file, info);
    append(file, s.masks);
    append(file, s.palette);
    append(file, s.pixelData);
    return file;
}

// One chunk of a 3DS file: 16-bit id, 32-bit length (header included).
inline Bytes chunk3ds(std::uint16_t id, const Bytes& payload,
                      std::initializer_list<Bytes> children = {}) {
    Bytes body = payload;
    for (const Bytes& c : children) append(body, c);
    Bytes out;
    putU16(out, id);
    putU32(out, std::uint32_t(body.size() + 6));
    append(out, body);
    return out;
}

inline Bytes text3ds(const std::string& s) {
    Bytes b;
    appendText(b, s);
    return b;
}

// Vertex list as the file stores it (file axes, z up).
inline Bytes vertexList3ds(std::initializer_list<float> xyz) {
    Bytes b;
    putU16(b, std::uint32_t(xyz.size() / 3));
    for (float f : xyz) putF32(b, f);
    return chunk3ds(0x4110, b);
}

// Face list with three indices per face; the flags word is 0.
inline Bytes faceList3ds(std::initializer_list<int> indices,
                         std::initializer_list<Bytes> children = {}) {
    Bytes b;
    putU16(b, std::uint32_t(indices.size() / 3));
    int n = 0;
    for (int i : indices) {
        putU16(b, std::uint32_t(i));
        if (++n % 3 == 0) putU16(b, 0);
    }
    return chunk3ds(0x4120, b, children);
}

inline Bytes materialGroup3ds(const std::string& name) {
    Bytes b = text3ds(name);
    putU16(b, 0);
    return chunk3ds(0x4130, b);
}

inline Bytes material3ds(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                         const std::string& textureFile = "") {
    Bytes colour = {r, g, b};
    Bytes m = chunk3ds(0xA000, text3ds(name));
    append(m, chunk3ds(0xA020, {}, {chunk3ds(0x0011, colour)}));
    if (!textureFile.empty())
        append(m, chunk3ds(0xA200, {}, {chunk3ds(0xA300, text3ds(textureFile))}));
    return chunk3ds(0xAFFF, m);
}

inline Bytes object3ds(const std::string& name, std::initializer_list<Bytes> meshChildren) {
    return chunk3ds(0x4000, text3ds(name), {chunk3ds(0x4100, {}, meshChildren)});
}

// A whole file: version 3, then the mesh data (its first sub-chunk is the
// usual mesh version) holding `contents`.
inline Bytes file3ds(std::initializer_list<Bytes> contents) {
    Bytes version;
    putU32(version, 3);
    Bytes meshVersion;
    putU32(meshVersion, 3);
    Bytes mesh = chunk3ds(0x3D3E, meshVersion);
    for (const Bytes& c : contents) append(mesh, c);
    return chunk3ds(0x4D4D, {}, {chunk3ds(0x0002, version), chunk3ds(0x3D3D, mesh)});
}

// Writes bytes to a file under the test's working directory.
inline std::string writeTestFile(const std::string& name, const Bytes& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return name;
}
