// The two wreckage chunks that tumble behind the menu picture. The game
// scales them by 0.08 and draws both at the same spot, so they are built as
// one jagged piece in two halves: a torn armour plate and a bent girder.
#include <cmath>
#include <cstdint>

#include "assets/asset_names.h"
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
    // A ragged outline of armour, a few units thick, bent along a fold.
    std::vector<Point2> outline;
    const int corners = 15;
    for (int i = 0; i < corners; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / corners;
        const Point3 key{static_cast<float>(i), 1.0f, 0.0f};
        const float r = 26.0f + 7.0f * jitter(key, 5u);
        outline.push_back({r * std::cos(a), 0.7f * r * std::sin(a)});
    }
    Mesh plate = makePrism(outline, -3.0f, 3.0f);
    for (MeshVertex& v : plate.vertices) {
        // Fold the part beyond x = 4 up by an angle growing with the distance.
        if (v.position.x <= 4.0f) continue;
        const float a = 0.018f * (v.position.x - 4.0f);
        const float x = v.position.x - 4.0f, z = v.position.z;
        v.position.x = 4.0f + x * std::cos(a) - z * std::sin(a);
        v.position.z = x * std::sin(a) + z * std::cos(a);
    }
    Mesh m = roughened(plate, 0.08f, 11u);
    m.append(moved(roughened(makeSphere(10.0f, 7.0f, 8.0f, 7, 4), 0.3f, 17u), -8.0f, 0.0f, 4.0f));
    return m;
}

Mesh bentGirder() {
    // Two I-beam halves meeting at a kink, with ragged ends.
    Mesh half;
    half.append(makeBox({-7, -1.5f, 0}, {7, 1.5f, 30}));  // web
    half.append(makeBox({-1.5f, -7, 0}, {1.5f, 7, 30}));  // flange
    half.append(makeBox({-7, 5.5f, 0}, {7, 8.5f, 30}));   // top chord
    Mesh m = transformed(half, Transform::rotationX(-25.0f));
    m.append(transformed(half, Transform::rotationY(180.0f) * Transform::rotationX(-25.0f)));
    m.append(roughened(makeSphere(9.0f, 9.0f, 9.0f, 6, 4), 0.4f, 23u));  // weld lump at the kink
    return transformed(m, Transform::translation(0, 6.0f, 0) * Transform::rotationZ(30.0f));
}
}  // namespace

bool writeDebrisModels(const std::string& outDir) {
    // Drawn scaled by 0.08 without renormalising: normals of that length come
    // out as unit normals, so the red-orange lighting is not blown out.
    const float normalLength = 0.08f;
    using assetnames::kDebrisLargeModel, assetnames::kDebrisSmallModel;
    bool ok =
        writeObj(outDir + "/" + kDebrisSmallModel, tornPlate(), kDebrisSmallModel, normalLength);
    ok =
        writeObj(outDir + "/" + kDebrisLargeModel, bentGirder(), kDebrisLargeModel, normalLength) &&
        ok;
    return ok;
}
