// The two wreckage chunks that tumble behind the menu picture. The game
// scales them by 0.08 and draws both at the same spot, so they are built as
// one jagged piece in two halves: a torn armour plate and a bent girder.
#include <cmath>
#include <cstdint>

#include "model_files.h"
#include "obj_writer.h"

namespace {
// A repeatable pseudo-random value in [-1, 1] for a position, so vertices
// that coincide (seams, poles) move together and the surface stays closed.
float jitter(const Point3& p, unsigned salt) {
    const auto q = [](float f) { return static_cast<std::uint32_t>(std::lround(f * 64.0f)); };
    std::uint32_t h = q(p.x) * 73856093u ^ q(p.y) * 19349663u ^ q(p.z) * 83492791u ^ salt;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<float>(h % 2001u) / 1000.0f - 1.0f;
}

// Pushes every vertex in or out along its direction from the centre.
Mesh roughened(const Mesh& mesh, float amount, unsigned salt) {
    Mesh m = mesh;
    for (MeshVertex& v : m.vertices) {
        const float k = 1.0f + amount * jitter(v.position, salt);
        v.position = k * v.position;
    }
    return faceted(m);
}

Mesh tornPlate() {
    // A flattened lump, roughened hard so it reads as torn metal.
    return roughened(makeSphere(30.0f, 9.0f, 22.0f, 9, 5), 0.35f, 11u);
}

Mesh bentGirder() {
    // Two I-beam halves meeting at a kink, with ragged ends.
    Mesh half;
    half.append(makeBox({-7, -1.5f, 0}, {7, 1.5f, 30}));    // web
    half.append(makeBox({-1.5f, -7, 0}, {1.5f, 7, 30}));    // flange
    half.append(makeBox({-7, 5.5f, 0}, {7, 8.5f, 30}));     // top chord
    Mesh m = transformed(half, Transform::rotationX(-25.0f));
    m.append(transformed(half, Transform::rotationY(180.0f) * Transform::rotationX(-25.0f)));
    m.append(roughened(makeSphere(9.0f, 9.0f, 9.0f, 6, 4), 0.4f, 23u));  // weld lump at the kink
    return transformed(m, Transform::translation(0, 6.0f, 0) * Transform::rotationZ(30.0f));
}
}  // namespace

bool writeDebrisModels(const std::string& outDir) {
    bool ok = writeObj(outDir + "/obj/debris/BS_1.obj", tornPlate(), "obj/debris/BS_1.obj");
    ok = writeObj(outDir + "/obj/debris/BS_2.obj", bentGirder(), "obj/debris/BS_2.obj") && ok;
    return ok;
}
