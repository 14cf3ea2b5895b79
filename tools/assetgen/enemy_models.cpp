// The enemy vehicles as 3DS files. Each model is designed in the game's frame
// as the enemy drawing sees it: world units, origin on the ground under the
// vehicle's centre, front toward +z. The 3DS writer turns that into the
// file's z-up axes. A model file carries one colour for all its untextured
// objects, so each coloured part of a vehicle is a file of its own.
#include <cmath>

#include "model_files.h"
#include "writer_3ds.h"

namespace {
constexpr float kPi = 3.14159265358979f;

// A slab with half-round ends seen from the side: track runs, rounded
// bumpers. Extruded along x from x0 to x1; the ends round over the height.
Mesh makeRoundedSlab(float z0, float z1, float y0, float y1, float x0, float x1, int arcSegments) {
    const float r = (y1 - y0) / 2, cy = (y0 + y1) / 2;
    std::vector<Point2> outline;
    for (int i = 0; i <= arcSegments; ++i) {
        const float a = -kPi / 2 + kPi * static_cast<float>(i) / arcSegments;
        outline.push_back({z1 - r + r * std::cos(a), cy + r * std::sin(a)});
    }
    for (int i = 0; i <= arcSegments; ++i) {
        const float a = kPi / 2 + kPi * static_cast<float>(i) / arcSegments;
        outline.push_back({z0 + r + r * std::cos(a), cy + r * std::sin(a)});
    }
    return makeProfileX(outline, x0, x1);
}

bool store(const std::string& outDir, const std::string& name, const std::string& material,
           Rgb colour, const Mesh& mesh) {
    return write3ds(outDir + "/obj/Enemy/" + name, singleColourModel(material, colour, name, mesh));
}

// ---------------------------------------------------------------------------
// Car: a fast armoured buggy with a roof gun.

const Rgb kCarPaint{160, 42, 30};
const Rgb kCarLight{255, 236, 170};
const Rgb kTyre{38, 36, 34};
const Rgb kGlass{70, 110, 140};

Mesh carBody() {
    const std::vector<Point2> profile = {{-1.70f, 0.40f}, {1.70f, 0.40f}, {1.82f, 0.62f},
                                         {1.68f, 0.86f},  {0.70f, 0.96f}, {-1.60f, 0.96f},
                                         {-1.76f, 0.72f}};
    Mesh m = makeProfileX(profile, -0.86f, 0.86f);
    // Cabin.
    m.append(
        makeTaperedBox(0.96f, 1.46f, -0.78f, 0.78f, -1.05f, 0.62f, -0.66f, 0.66f, -0.85f, 0.20f));
    // Wheel arches over the tyres.
    for (float x : {-0.90f, 0.90f})
        for (float z : {-1.10f, 1.10f})
            m.append(makeTaperedBox(0.70f, 0.90f, x - 0.14f, x + 0.14f, z - 0.55f, z + 0.55f,
                                    x - 0.12f, x + 0.12f, z - 0.45f, z + 0.45f));
    // Roof gun on a ring mount.
    m.append(moved(makeCylinder(0.22f, 0.20f, 0, 0.10f, 12), 0, 1.46f, -0.30f));
    m.append(alongZ(makeCylinder(0.05f, 0.05f, -0.30f, 0.90f, 8), 0, 1.64f, -0.30f));
    m.append(makeBox({-0.14f, 1.56f, -0.55f}, {0.14f, 1.74f, -0.05f}));
    // Front bull bar.
    m.append(makeBox({-0.70f, 0.45f, 1.78f}, {0.70f, 0.55f, 1.90f}));
    return m;
}

Mesh carLights() {
    Mesh m;
    for (float x : {-0.60f, 0.60f}) {
        m.append(alongZ(makeCylinder(0.11f, 0.11f, 0, 0.06f, 12), x, 0.70f, 1.72f));
        m.append(makeBox({x - 0.16f, 0.62f, -1.80f}, {x + 0.16f, 0.78f, -1.72f}));  // tail
    }
    return m;
}

Mesh carWheels() {
    Mesh m;
    for (float x : {-0.82f, 0.82f})
        for (float z : {-1.10f, 1.10f}) {
            const float inner = x < 0 ? x - 0.16f : x - 0.14f;
            m.append(alongX(makeCylinder(0.40f, 0.40f, inner, inner + 0.30f, 16), 0, 0.40f, z));
        }
    return m;
}

Mesh carWindows() {
    // Thin panels just outside the cabin's faces.
    Mesh m;
    const float d = 0.012f;
    // Windscreen on the sloped front of the cabin.
    m.addFlatQuad({-0.68f, 1.00f, 0.586f + d}, {0.68f, 1.00f, 0.586f + d},
                  {0.58f, 1.40f, 0.250f + d}, {-0.58f, 1.40f, 0.250f + d});
    // Rear window.
    m.addFlatQuad({0.68f, 1.02f, -1.03f - d}, {-0.68f, 1.02f, -1.03f - d},
                  {-0.58f, 1.40f, -0.88f - d}, {0.58f, 1.40f, -0.88f - d});
    // Side windows.
    for (int side = -1; side <= 1; side += 2) {
        const float xb = side * (0.76f + d), xt = side * (0.68f + d);
        Point3 a{xb, 1.02f, -0.90f}, b{xb, 1.02f, 0.45f}, c{xt, 1.40f, 0.16f}, e{xt, 1.40f, -0.78f};
        if (side > 0)
            m.addFlatQuad(a, e, c, b);
        else
            m.addFlatQuad(a, b, c, e);
    }
    return m;
}

// ---------------------------------------------------------------------------
// Tank: hull on two tracks, a turret that turns about the vertical axis.

const Rgb kTankPaint{176, 156, 96};
const Rgb kTankDark{62, 58, 52};

Mesh turretTankBase() {
    const std::vector<Point2> profile = {{-1.55f, 0.38f}, {1.35f, 0.38f},  {1.70f, 0.62f},
                                         {1.50f, 0.86f},  {-1.60f, 0.86f}, {-1.65f, 0.60f}};
    Mesh m = makeProfileX(profile, -0.78f, 0.78f);
    // Road wheel hubs on the outer faces of the tracks, in the hull's paint.
    for (float side : {-1.0f, 1.0f})
        for (float z : {-1.10f, -0.55f, 0.0f, 0.55f, 1.10f}) {
            const float x0 = side < 0 ? -1.23f : 1.19f;
            m.append(alongX(makeCylinder(0.20f, 0.20f, x0, x0 + 0.04f, 12), 0, 0.36f, z));
        }
    // Headlights and a towing bar.
    for (float x : {-0.55f, 0.55f})
        m.append(alongZ(makeCylinder(0.07f, 0.06f, 0.0f, 0.08f, 10), x, 0.78f, 1.48f));
    m.append(makeBox({-0.40f, 0.42f, -1.70f}, {0.40f, 0.50f, -1.58f}));
    return m;
}

Mesh turretTankTracks() {
    Mesh m;
    for (float x : {-0.98f, 0.98f}) {
        m.append(makeRoundedSlab(-1.55f, 1.55f, 0.0f, 0.72f, x - 0.22f, x + 0.22f, 8));
        m.append(makeBox({x - 0.26f, 0.70f, -1.45f}, {x + 0.26f, 0.76f, 1.45f}));  // mudguard
    }
    return m;
}

Mesh turretTankTop() {
    Mesh m =
        makeTaperedBox(0.86f, 1.38f, -0.72f, 0.72f, -0.85f, 0.70f, -0.56f, 0.56f, -0.70f, 0.50f);
    m.append(makeBox({-0.50f, 0.92f, -1.15f}, {0.50f, 1.30f, -0.85f}));  // bustle
    return m;
}

Mesh turretTankTopDetail() {
    Mesh m = moved(makeCylinder(0.20f, 0.18f, 0, 0.10f, 14), 0.22f, 1.38f, -0.25f);  // hatch
    m.append(makeBox({-0.45f, 1.38f, -0.40f}, {-0.20f, 1.50f, -0.10f}));             // sight
    m.append(makeBox({-0.55f, 1.30f, -1.15f}, {0.55f, 1.36f, -0.85f}));              // rack
    return m;
}

Mesh turretTankGun() { return alongZ(makeCylinder(0.08f, 0.07f, 0.70f, 2.55f, 12), 0, 1.10f, 0); }

Mesh turretTankGunDetail() {
    Mesh m = makeBox({-0.26f, 0.94f, 0.58f}, {0.26f, 1.28f, 0.82f});              // mantlet
    m.append(alongZ(makeCylinder(0.12f, 0.12f, 2.35f, 2.65f, 12), 0, 1.10f, 0));  // muzzle
    m.append(alongZ(makeCylinder(0.11f, 0.11f, 1.40f, 1.70f, 12), 0, 1.10f, 0));  // evacuator
    return m;
}

// ---------------------------------------------------------------------------
// Heavy: a wide twin-gun vehicle. The game draws its three files at half
// scale with z mirrored, each moved by its own offset in the model's units.
// The half scale doubles the length of its normals in the lighting, so its
// colours are darker than the look they give.

const Rgb kHeavyRed{96, 30, 24};
const Rgb kHeavyDark{30, 32, 40};
const Rgb kHeavyWhite{140, 138, 132};

Mesh heavyHull() {
    const std::vector<Point2> profile = {{-2.35f, 0.55f}, {2.15f, 0.55f},  {2.60f, 0.92f},
                                         {2.35f, 1.30f},  {-2.30f, 1.30f}, {-2.45f, 0.95f}};
    Mesh m = makeProfileX(profile, -1.25f, 1.25f);
    m.append(makeBox({-1.80f, 1.05f, -2.20f}, {1.80f, 1.12f, 2.10f}));  // fenders
    // Armour skirts over the upper half of the tracks.
    const std::vector<Point2> skirt = {
        {-2.15f, 0.58f}, {1.95f, 0.58f}, {2.15f, 0.80f}, {2.10f, 1.05f}, {-2.20f, 1.05f}};
    m.append(makeProfileX(skirt, -1.84f, -1.78f));
    m.append(makeProfileX(skirt, 1.78f, 1.84f));
    // Sloped glacis plate with a raised driver's hatch.
    m.append(makeBox({-0.90f, 1.30f, 1.30f}, {-0.40f, 1.40f, 1.80f}));
    return m;
}

Mesh heavyTracks() {
    Mesh m;
    for (float x : {-1.45f, 1.45f})
        m.append(makeRoundedSlab(-2.40f, 2.40f, 0.0f, 1.04f, x - 0.32f, x + 0.32f, 10));
    for (float x : {-0.95f, 0.95f})  // exhaust stacks at the rear
        m.append(moved(makeCylinder(0.11f, 0.09f, 1.05f, 1.85f, 10), x, 0, -2.15f));
    for (float x : {-0.32f, 0.32f}) {  // twin barrels
        m.append(alongZ(makeCylinder(0.10f, 0.09f, 1.0f, 2.95f, 12), x, 1.68f, 0));
        m.append(alongZ(makeCylinder(0.14f, 0.14f, 2.75f, 3.0f, 12), x, 1.68f, 0));
    }
    return m;
}

Mesh heavyTurret() {
    Mesh m =
        makeTaperedBox(1.30f, 2.05f, -1.05f, 1.05f, -1.35f, 1.05f, -0.82f, 0.82f, -1.15f, 0.72f);
    m.append(makeBox({-0.62f, 1.40f, 0.95f}, {0.62f, 1.95f, 1.20f}));  // mantlet
    m.append(moved(makeCylinder(0.26f, 0.24f, 0, 0.14f, 14), 0.35f, 2.05f, -0.45f));
    m.append(moved(makeCylinder(0.30f, 0.26f, 0, 0.22f, 14), -0.40f, 2.05f, -0.55f));  // cupola
    m.append(makeTaperedBox(1.40f, 1.95f, -0.85f, 0.85f, -1.75f, -1.30f, -0.75f, 0.75f, -1.65f,
                            -1.15f));  // rear bustle
    // Road wheel hubs on the tracks, below the skirts.
    for (float side : {-1.0f, 1.0f})
        for (float z : {-1.80f, -1.08f, -0.36f, 0.36f, 1.08f, 1.80f}) {
            const float x0 = side < 0 ? -1.82f : 1.76f;
            m.append(alongX(makeCylinder(0.30f, 0.30f, x0, x0 + 0.06f, 14), 0, 0.50f, z));
        }
    return m;
}

// Game-frame geometry into the file frame of one of the heavy's parts: undo
// the draw's scale (0.5, 0.5, -0.5) and its offset.
Mesh heavyPart(const Mesh& mesh, float ox, float oy, float oz) {
    return transformed(mesh, Transform::translation(-ox, -oy, -oz) * Transform::scaling(2, 2, -2));
}

}  // namespace

bool writeEnemyModels(const std::string& outDir) {
    bool ok = true;
    ok = store(outDir, "EJ_CAR.3DS", "car paint", kCarPaint, carBody()) && ok;
    ok = store(outDir, "EJ_LIGHT.3DS", "car lights", kCarLight, carLights()) && ok;
    ok = store(outDir, "EJ_WHEEL.3DS", "tyres", kTyre, carWheels()) && ok;
    ok = store(outDir, "EJ_WIN.3DS", "glass", kGlass, carWindows()) && ok;
    {
        // The whole car in one file (loaded but not drawn by the game).
        Model car;
        car.addMaterial("car paint", kCarPaint);
        car.addObject("body", carBody(), 0);
        car.addObject("lights", carLights(), 0);
        car.addObject("wheels", carWheels(), 0);
        car.addObject("windows", carWindows(), 0);
        ok = write3ds(outDir + "/obj/Enemy/EJ.3DS", car) && ok;
    }

    ok = store(outDir, "EM1_BASE.3DS", "tank paint", kTankPaint, turretTankBase()) && ok;
    ok = store(outDir, "EM1_BASEB.3DS", "tank dark", kTankDark, turretTankTracks()) && ok;
    ok = store(outDir, "EM1_TOP.3DS", "tank paint", kTankPaint, turretTankTop()) && ok;
    ok = store(outDir, "EM1_TOPB.3DS", "tank dark", kTankDark, turretTankTopDetail()) && ok;
    ok = store(outDir, "EM1_GUN.3DS", "tank paint", kTankPaint, turretTankGun()) && ok;
    ok = store(outDir, "EM1_GUNB.3DS", "tank dark", kTankDark, turretTankGunDetail()) && ok;

    ok = store(outDir, "EMMR.3DS", "heavy red", kHeavyRed, heavyPart(heavyHull(), -1, 0, 0)) && ok;
    ok = store(outDir, "EMMB.3DS", "heavy dark", kHeavyDark, heavyPart(heavyTracks(), 0, 3, 0)) &&
         ok;
    ok = store(outDir, "EMMW.3DS", "heavy white", kHeavyWhite, heavyPart(heavyTurret(), 1, 0, 0)) &&
         ok;
    // Loaded-only variants of the heavy's parts, in the same half-scale frame.
    ok = store(outDir, "EMM_BASE_R.3DS", "heavy red", kHeavyRed, heavyPart(heavyHull(), 0, 0, 0)) &&
         ok;
    ok = store(outDir, "EMM_MB_B.3DS", "heavy dark", kHeavyDark, heavyPart(heavyHull(), 0, 0, 0)) &&
         ok;
    ok = store(outDir, "EMM_TRACK_B.3DS", "heavy dark", kHeavyDark,
               heavyPart(heavyTracks(), 0, 0, 0)) &&
         ok;
    ok =
        store(outDir, "EMM_TOP_R.3DS", "heavy red", kHeavyRed, heavyPart(heavyTurret(), 0, 0, 0)) &&
        ok;
    ok = store(outDir, "EMM_TOP_W.3DS", "heavy white", kHeavyWhite,
               heavyPart(heavyTurret(), 0, 0, 0)) &&
         ok;
    const Mesh guns =
        heavyPart(alongZ(makeCylinder(0.10f, 0.09f, 1.0f, 2.95f, 12), 0, 1.68f, 0), 0, 0, 0);
    ok = store(outDir, "EMM_GUN.3DS", "heavy dark", kHeavyDark, guns) && ok;
    ok = store(outDir, "EMM_GUN_R.3DS", "heavy red", kHeavyRed, guns) && ok;
    return ok;
}
