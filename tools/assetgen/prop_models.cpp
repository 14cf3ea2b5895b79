// Weapons, the block, the cactus and the road signs as 3DS files, with the
// pictures the textured ones name. All are designed in the game's frame:
// world units, y up, origin where the object touches the ground (or, for
// shells and missiles, at their centre with the nose toward +z).
#include <cmath>

#include "model_files.h"
#include "sign_pictures.h"
#include "writer_3ds.h"

namespace {
constexpr float kPi = 3.14159265358979f;

// ---------------------------------------------------------------------------
// Weapons

Mesh shellMesh() {
    Mesh m = alongZ(makeCylinder(0.07f, 0.07f, -0.22f, 0.08f, 10));
    m.append(alongZ(makeCylinder(0.07f, 0.0f, 0.08f, 0.30f, 10)));
    m.append(alongZ(makeCylinder(0.075f, 0.075f, -0.16f, -0.10f, 10)));  // driving band
    return m;
}

Mesh missileMesh() {
    Mesh m = alongZ(makeCylinder(0.075f, 0.075f, -0.55f, 0.35f, 12));
    m.append(alongZ(makeCylinder(0.075f, 0.0f, 0.35f, 0.62f, 12)));    // nose
    m.append(alongZ(makeCylinder(0.05f, 0.06f, -0.62f, -0.55f, 12)));  // nozzle
    // Four tail fins and four small canards, as thin plates.
    for (int i = 0; i < 4; ++i) {
        const Transform turn = Transform::rotationZ(45.0f + 90.0f * i);
        m.append(transformed(
            makeProfileX({{-0.55f, 0.06f}, {-0.30f, 0.06f}, {-0.50f, 0.24f}, {-0.58f, 0.24f}},
                         -0.008f, 0.008f),
            turn));
        m.append(transformed(
            makeProfileX({{0.15f, 0.06f}, {0.28f, 0.06f}, {0.18f, 0.13f}}, -0.006f, 0.006f), turn));
    }
    return m;
}

// ---------------------------------------------------------------------------
// Block: the unit box the level scales by its sizes (x, z in [-0.5, 0.5],
// height 0..1). Walls and roof are separate files.

Mesh blockWalls() {
    Mesh m;
    const float h = 0.5f;
    m.addFlatQuad({-h, 0, h}, {h, 0, h}, {h, 1, h}, {-h, 1, h});      // +z
    m.addFlatQuad({h, 0, -h}, {-h, 0, -h}, {-h, 1, -h}, {h, 1, -h});  // -z
    m.addFlatQuad({h, 0, h}, {h, 0, -h}, {h, 1, -h}, {h, 1, h});      // +x
    m.addFlatQuad({-h, 0, -h}, {-h, 0, h}, {-h, 1, h}, {-h, 1, -h});  // -x
    return m;
}

Mesh blockRoof() {
    Mesh m;
    const float h = 0.5f;
    m.addFlatQuad({-h, 1, h}, {h, 1, h}, {h, 1, -h}, {-h, 1, -h});
    return m;
}

Model texturedModel(const std::string& name, const std::string& texture, const Mesh& mesh) {
    Model model;
    model.addMaterial(name, Rgb{255, 255, 255}, texture);
    model.addObject(name, mesh, 0);
    return model;
}

// ---------------------------------------------------------------------------
// Cactus: a ribbed saguaro with two arms.

Mesh ribbedColumn(float radius, float y0, float y1, int ribs) {
    std::vector<Point2> star;
    for (int i = 0; i < 2 * ribs; ++i) {
        const float a = kPi * static_cast<float>(i) / ribs;
        const float r = (i % 2 == 0) ? radius : radius * 0.86f;
        star.push_back({r * std::cos(a), r * std::sin(a)});
    }
    // The prism runs along z; a quarter turn about x stands it up along y.
    Mesh m = makePrism(star, y0, y1);
    transform(m, Transform::rotationX(-90.0f));
    Mesh top = makeSphere(radius * 0.93f, radius * 0.8f, radius * 0.93f, 2 * ribs, 5);
    // Keep only the upper half of the cap by flattening the lower one into the column.
    for (MeshVertex& v : top.vertices)
        if (v.position.y < 0) v.position.y = 0;
    m.append(moved(top, 0, y1, 0));
    return m;
}

Mesh cactusMesh() {
    Mesh m = ribbedColumn(0.30f, 0.0f, 3.1f, 8);
    // Arms: an elbow sticking out sideways, then up.
    struct Arm {
        float side, height, reach, top;
    };
    for (const Arm& arm : {Arm{1.0f, 1.2f, 0.75f, 2.3f}, Arm{-1.0f, 1.7f, 0.60f, 2.6f}}) {
        Mesh out = alongX(makeCylinder(0.17f, 0.19f, 0.0f, arm.reach, 10), 0, arm.height, 0);
        if (arm.side < 0) transform(out, Transform::scaling(-1, 1, 1));
        m.append(out);
        m.append(moved(ribbedColumn(0.19f, 0.0f, arm.top - arm.height, 6), arm.side * arm.reach,
                       arm.height - 0.05f, 0));
    }
    return m;
}

// ---------------------------------------------------------------------------
// Road signs: a grey post with a panel whose two faces carry the picture,
// readable from either side.

const Rgb kPostGrey{150, 150, 146};

// A flat polygon face in the plane z, facing +z (front) or -z (back), with
// texture coordinates spanning the outline's bounding box so that the
// picture reads the right way round from the side it faces.
Mesh signFace(const std::vector<Point2>& outline, float z, bool front) {
    Point2 lo = outline[0], hi = outline[0];
    for (const Point2& p : outline) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    Mesh m;
    const Point3 n{0, 0, front ? 1.0f : -1.0f};
    for (const Point2& p : outline) {
        float u = (p.x - lo.x) / (hi.x - lo.x);
        if (!front) u = 1.0f - u;
        m.addVertex({p.x, p.y, z}, n, u, (p.y - lo.y) / (hi.y - lo.y));
    }
    // Convex outlines: a fan from the first corner.
    const int count = static_cast<int>(outline.size());
    for (int i = 1; i + 1 < count; ++i) {
        if (front)
            m.addTriangle(0, i, i + 1);
        else
            m.addTriangle(0, i + 1, i);
    }
    return m;
}

std::vector<Point2> regularPolygon(int corners, float radius, float cx, float cy, float turn) {
    std::vector<Point2> out;
    for (int i = 0; i < corners; ++i) {
        const float a = turn + 2.0f * kPi * static_cast<float>(i) / corners;
        out.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a)});
    }
    return out;
}

std::vector<Point2> rectangle(float x0, float y0, float x1, float y1) {
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// A post (or two) and a panel of the given outline, textured both sides.
Model signModel(const std::string& name, const std::string& texture,
                const std::vector<Point2>& panel, const std::vector<float>& postXs, float postTop) {
    const float thickness = 0.04f;
    Mesh posts;
    for (float x : postXs)
        posts.append(moved(makeCylinder(0.05f, 0.05f, 0.0f, postTop, 10), x, 0, -thickness));
    posts.append(makePrism(panel, -thickness / 2, thickness / 2));  // panel edge
    Mesh faces = signFace(panel, thickness / 2 + 0.004f, true);
    faces.append(signFace(panel, -thickness / 2 - 0.004f, false));

    Model model;
    model.addMaterial("post", kPostGrey);
    const int picture = model.addMaterial(name, Rgb{255, 255, 255}, texture);
    model.addObject("post", posts, 0);
    model.addObject("face", faces, picture);
    return model;
}

// A flag on a tall mast (the flag prop that the level never places).
Model flagModel(const std::string& texture) {
    Mesh mast = makeCylinder(0.06f, 0.04f, 0.0f, 5.0f, 10);
    mast.append(moved(makeSphere(0.09f, 0.09f, 0.09f, 8, 5), 0, 5.05f, 0));
    // A cloth gently waved along its length, textured both sides.
    Mesh cloth;
    const int columns = 8;
    for (int side = 0; side < 2; ++side) {
        const bool front = side == 0;
        const int base = static_cast<int>(cloth.vertices.size());
        for (int i = 0; i <= columns; ++i) {
            const float t = static_cast<float>(i) / columns;
            const float x = 0.05f + 2.0f * t;
            const float z = 0.12f * std::sin(t * 2.0f * kPi) + (front ? 0.004f : -0.004f);
            const Point3 n = normalized(
                {-0.12f * 2.0f * kPi * std::cos(t * 2.0f * kPi) / 2.0f, 0, front ? 1.0f : -1.0f});
            const float u = front ? t : 1.0f - t;
            cloth.addVertex({x, 3.6f, z}, n, u, 0.0f);
            cloth.addVertex({x, 4.9f, z}, n, u, 1.0f);
        }
        for (int i = 0; i < columns; ++i) {
            const int b0 = base + 2 * i, t0 = b0 + 1, b1 = b0 + 2, t1 = b0 + 3;
            if (front)
                cloth.addQuad(b0, b1, t1, t0);
            else
                cloth.addQuad(b0, t0, t1, b1);
        }
    }
    Model model;
    model.addMaterial("mast", kPostGrey);
    const int picture = model.addMaterial("flag", Rgb{255, 255, 255}, texture);
    model.addObject("mast", mast, 0);
    model.addObject("cloth", cloth, picture);
    return model;
}
}  // namespace

bool writePropModels(const std::string& outDir) {
    bool ok = true;
    ok = writeSignPictures(outDir) && ok;

    ok = write3ds(outDir + "/obj/weapon/shell.3DS",
                  singleColourModel("shell", Rgb{255, 214, 64}, "shell", shellMesh())) &&
         ok;
    ok = write3ds(outDir + "/obj/weapon/MISS.3DS",
                  singleColourModel("missile", Rgb{60, 220, 40}, "missile", missileMesh())) &&
         ok;
    ok = write3ds(outDir + "/obj/NOTROOF.3DS",
                  texturedModel("walls", kBlockWallPicture, blockWalls())) &&
         ok;
    ok =
        write3ds(outDir + "/obj/ROOF.3DS", texturedModel("roof", kBlockRoofPicture, blockRoof())) &&
        ok;
    ok = write3ds(outDir + "/obj/world/cactus.3DS",
                  singleColourModel("cactus", Rgb{70, 138, 62}, "cactus", cactusMesh())) &&
         ok;

    const std::string world = outDir + "/obj/world/";
    ok = write3ds(world + "S_stop.3DS",
                  signModel("stop", kStopPicture, regularPolygon(8, 0.62f, 0, 2.5f, kPi / 8),
                            {0.0f}, 2.5f)) &&
         ok;
    ok = write3ds(world + "S_S.3DS",
                  signModel("limit", kLimitPicture, regularPolygon(24, 0.55f, 0, 2.5f, 0), {0.0f},
                            2.5f)) &&
         ok;
    ok = write3ds(world + "S_lum.3DS",
                  signModel("mines", kMinesPicture, regularPolygon(3, 0.80f, 0, 2.45f, kPi / 2),
                            {0.0f}, 2.3f)) &&
         ok;
    ok = write3ds(world + "S_bosk.3DS",
                  signModel("town", kTownPicture, rectangle(-1.3f, 2.0f, 1.3f, 3.1f), {-0.9f, 0.9f},
                            3.0f)) &&
         ok;
    ok = write3ds(world + "S_tavi.3DS",
                  signModel("water", kWaterPicture, regularPolygon(4, 0.75f, 0, 2.45f, 0), {0.0f},
                            2.4f)) &&
         ok;
    ok = write3ds(world + "F_MF.3DS", flagModel(kFlagPicture)) && ok;
    return ok;
}
