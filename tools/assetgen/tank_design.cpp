#include "tank_design.h"

#include <cmath>

using namespace tankdim;

namespace {
constexpr float kPi = 3.14159265358979f;

int segments(TankLevel level, int detailed, int plain) {
    return level == TankLevel::Detailed ? detailed : plain;
}

// Height of the track's wheel axles above the ground.
constexpr float kAxleHeight = kCleatHeight + kTrackRadius;

// A point on the belt's outer surface, `s` along the loop: the bottom run from
// front to back, up round the rear wheel, the top run forward, down round the
// front wheel. This is the way the belt moves when the tank drives forward.
struct BeltPoint {
    Point3 position, outward, along;
};

BeltPoint beltPoint(float s) {
    const float half = kTrackStraight / 2.0f, arc = kPi * kTrackRadius;
    BeltPoint p;
    if (s < kTrackStraight) {
        p.position = {0, kAxleHeight - kTrackRadius, half - s};
        p.outward = {0, -1, 0};
        p.along = {0, 0, -1};
    } else if (s < kTrackStraight + arc) {
        const float a = (s - kTrackStraight) / kTrackRadius;
        p.position = {0, kAxleHeight - kTrackRadius * std::cos(a),
                      -half - kTrackRadius * std::sin(a)};
        p.outward = {0, -std::cos(a), -std::sin(a)};
        p.along = {0, std::sin(a), -std::cos(a)};
    } else if (s < 2 * kTrackStraight + arc) {
        p.position = {0, kAxleHeight + kTrackRadius, -half + (s - kTrackStraight - arc)};
        p.outward = {0, 1, 0};
        p.along = {0, 0, 1};
    } else {
        const float a = (s - 2 * kTrackStraight - arc) / kTrackRadius;
        p.position = {0, kAxleHeight + kTrackRadius * std::cos(a),
                      half + kTrackRadius * std::sin(a)};
        p.outward = {0, std::cos(a), std::sin(a)};
        p.along = {0, -std::sin(a), std::cos(a)};
    }
    return p;
}

// The belt's side outline in the (z, y) plane: two half circles joined by
// the straight runs.
std::vector<Point2> beltOutline(int arcSegments) {
    std::vector<Point2> outline;
    const float half = kTrackStraight / 2.0f;
    for (int i = 0; i <= arcSegments; ++i) {  // front wheel, bottom to top
        const float a = -kPi / 2 + kPi * static_cast<float>(i) / arcSegments;
        outline.push_back(
            {half + kTrackRadius * std::cos(a), kAxleHeight + kTrackRadius * std::sin(a)});
    }
    for (int i = 0; i <= arcSegments; ++i) {  // rear wheel, top to bottom
        const float a = kPi / 2 + kPi * static_cast<float>(i) / arcSegments;
        outline.push_back(
            {-half + kTrackRadius * std::cos(a), kAxleHeight + kTrackRadius * std::sin(a)});
    }
    return outline;
}
}  // namespace

Mesh tankTrack(TankLevel level, int phase) {
    const float x0 = kTrackCentreX - kTrackWidth / 2, x1 = kTrackCentreX + kTrackWidth / 2;
    Mesh m = makeProfileX(beltOutline(segments(level, 12, 5)), x0, x1);

    // Cleats: small blocks standing out of the belt, evenly spaced round it.
    const int cleats = segments(level, kCleatCount, kCleatCount / 2);
    const float loop = 2 * kTrackStraight + 2 * kPi * kTrackRadius;
    const float pitch = loop / cleats;
    const float shift = pitch * static_cast<float>(phase % kTrackPhases) / kTrackPhases;
    const float cleatLength = pitch * 0.4f;
    const Mesh cleat = makeBox({-kTrackWidth / 2, 0, -cleatLength / 2},
                               {kTrackWidth / 2, kCleatHeight, cleatLength / 2});
    for (int i = 0; i < cleats; ++i) {
        const BeltPoint p = beltPoint(std::fmod(static_cast<float>(i) * pitch + shift, loop));
        Transform place = Transform::axes({1, 0, 0}, p.outward, p.along);
        place.t = {kTrackCentreX, p.position.y, p.position.z};
        m.append(transformed(cleat, place));
    }

    // Wheel hubs showing on both faces of the belt.
    const int wheelSegments = segments(level, 16, 8);
    const float hubX0 = x0 - 0.02f, hubX1 = x1 + 0.02f;
    const float half = kTrackStraight / 2.0f;
    const float wheels[] = {-half, -0.6f, -0.2f, 0.2f, 0.6f, half};
    for (float z : wheels) {
        const bool sprocket = std::fabs(z) == half;
        const float radius = sprocket ? 0.20f : 0.15f;
        m.append(
            alongX(makeCylinder(radius, radius, hubX0, hubX1, wheelSegments), 0, kAxleHeight, z));
        if (level == TankLevel::Detailed)  // hub caps
            m.append(alongX(makeCylinder(0.06f, 0.06f, hubX0 - 0.02f, hubX1 + 0.02f, 8), 0,
                            kAxleHeight, z));
    }
    return m;
}

Mesh tankHull(TankLevel level) {
    // Side profile: flat belly, sloped glacis and nose, slanted rear plate.
    const std::vector<Point2> profile = {
        {-1.22f, 0.36f},      {1.10f, 0.36f},        {1.42f, 0.58f}, {1.38f, 0.68f},
        {0.95f, kDeckHeight}, {-1.30f, kDeckHeight}, {-1.30f, 0.62f}};
    Mesh m = makeProfileX(profile, -0.56f, 0.56f);
    if (level == TankLevel::Detailed) {
        // Side skirts over the upper run of the tracks.
        const std::vector<Point2> skirt = {
            {-1.18f, 0.40f}, {1.12f, 0.40f}, {1.30f, 0.56f}, {1.20f, 0.80f}, {-1.24f, 0.80f}};
        m.append(makeProfileX(skirt, -0.60f, -0.56f));
        m.append(makeProfileX(skirt, 0.56f, 0.60f));
    }
    return m;
}

Mesh tankTop(TankLevel level) {
    Mesh m = makeTaperedBox(kDeckHeight, kTopHeight, -0.46f, 0.46f, -1.0f, 0.55f, -0.40f, 0.40f,
                            -0.90f, 0.35f);
    if (level == TankLevel::Detailed) {
        // Raised rear engine deck behind the superstructure.
        m.append(makeTaperedBox(kDeckHeight, kDeckHeight + 0.06f, -0.42f, 0.42f, -1.26f, -1.0f,
                                -0.40f, 0.40f, -1.24f, -1.0f));
    }
    return m;
}

Mesh tankTopTrim(TankLevel level) {
    const int round = segments(level, 16, 8);
    Mesh m;
    // Commander's hatch with a rim.
    m.append(moved(makeCylinder(0.12f, 0.11f, 0, 0.06f, round), 0, kTopHeight, -0.72f));
    if (level == TankLevel::Detailed) {
        m.append(moved(makeCylinder(0.05f, 0.05f, 0.06f, 0.09f, round), 0, kTopHeight, -0.72f));
        // Exhaust grilles on the rear deck.
        for (float x : {-0.26f, 0.26f})
            for (int slat = 0; slat < 4; ++slat) {
                const float z = -1.22f + 0.055f * slat;
                m.append(makeBox({x - 0.12f, kDeckHeight + 0.06f, z},
                                 {x + 0.12f, kDeckHeight + 0.085f, z + 0.03f}));
            }
        // Periscopes at the front edge of the superstructure.
        for (float x : {-0.22f, 0.22f})
            m.append(
                makeBox({x - 0.05f, kTopHeight, 0.20f}, {x + 0.05f, kTopHeight + 0.05f, 0.30f}));
        // Tool boxes along the sides.
        m.append(makeBox({-0.58f, 0.80f, -0.9f}, {-0.46f, kDeckHeight + 0.05f, -0.3f}));
        m.append(makeBox({0.46f, 0.80f, -0.9f}, {0.58f, kDeckHeight + 0.05f, -0.3f}));
    }
    // Headlights on the glacis.
    for (float x : {-0.42f, 0.42f})
        m.append(alongZ(makeCylinder(0.045f, 0.04f, 0, 0.08f, round), x, 0.72f, 1.18f));
    // Aerial at the rear corner.
    m.append(moved(makeCylinder(0.012f, 0.006f, 0, 0.55f, 6), -0.30f, kTopHeight, -0.82f));
    return m;
}

Mesh tankCannonHousing(TankLevel level) {
    // The fixed missile launcher on top of the superstructure.
    const std::vector<Point2> profile = {{-0.50f, kTopHeight},
                                         {0.25f, kTopHeight},
                                         {0.32f, kTopHeight + 0.10f},
                                         {0.27f, kTopHeight + 0.20f},
                                         {-0.45f, kTopHeight + 0.20f}};
    Mesh m = makeProfileX(profile, -0.16f, 0.16f);
    if (level == TankLevel::Detailed)
        m.append(makeBox({-0.10f, kTopHeight + 0.20f, -0.35f}, {0.10f, kTopHeight + 0.23f, 0.05f}));
    return m;
}

Mesh tankCannonInner(TankLevel level) {
    const int round = segments(level, 12, 6);
    Mesh m;
    for (float x : {-0.075f, 0.075f})
        m.append(alongZ(makeCylinder(0.05f, 0.05f, 0, 0.14f, round), x, kTopHeight + 0.10f, 0.22f));
    return m;
}

Mesh tankGunMount(TankLevel level) {
    return makeSphere(0.12f, 0.11f, 0.16f, segments(level, 16, 8), segments(level, 10, 5));
}

Mesh tankGunMountTrim(TankLevel level) {
    const int round = segments(level, 14, 7);
    Mesh m = alongZ(makeCylinder(0.06f, 0.05f, 0.12f, 0.22f, round));
    if (level == TankLevel::Detailed)
        m.append(makeBox({-0.03f, 0.09f, -0.06f}, {0.03f, 0.15f, 0.08f}));  // sight
    return m;
}

Mesh tankGunBarrel(TankLevel level) {
    const int round = segments(level, 12, 6);
    Mesh m = alongZ(makeCylinder(0.03f, 0.028f, 0.18f, 1.0f, round));
    m.append(alongZ(makeCylinder(0.045f, 0.045f, 0.94f, 1.08f, round)));  // muzzle brake
    return m;
}
