#include "game/vec_math.h"

#include <cmath>

namespace {
// Degree/radian factors and pi as the game has always used them; changing
// them changes every aim by a hair, so they stay exactly these floats.
constexpr float kDegToRad = 0.017453292f;
constexpr double kDegToRadFrame = 0.01745329252;
constexpr float kRadToDeg = 57.295784f;
constexpr float kPi = 3.1415925f;
constexpr float kTwoPi = 6.283185f;
}  // namespace

void wrapAngle(float& a) {
    if (a >= 360.0f) a -= 360.0f;
    if (a < 0.0f) a += 360.0f;
}

void foldAim(float& yaw, float& pitch) {
    if (pitch > 90.0f && pitch < 270.0f) {
        yaw += 180.0f;
        if (yaw >= 360.0f) yaw -= 360.0f;
        pitch = 540.0f - pitch;
        if (pitch >= 360.0f) pitch -= 360.0f;
    }
}

Vec3 aimToDirection(float yaw, float pitch) {
    const float yawRad = yaw * kDegToRad;
    const float pitchRad = pitch * kDegToRad;
    const float s = static_cast<float>(std::sin(static_cast<double>(yawRad)));
    const float k = static_cast<float>(std::cos(static_cast<double>(yawRad)));
    const float t = static_cast<float>(std::tan(static_cast<double>(pitchRad)));
    if (pitch > 90.0f && pitch < 270.0f) return {-s, t, -k};
    return {s, -t, k};
}

Aim directionToAim(float x, float y, float z) {
    // A negative zero z would send x / z to the wrong infinity and the yaw
    // out of range; the direction is the same as with +0.
    if (z == 0.0f) z = 0.0f;
    const float h = static_cast<float>(std::sqrt(static_cast<double>(x * x + z * z)));

    float theta;
    if (h == 0.0f) {
        theta = 0.0f;  // straight up or down: no bearing, call it north
    } else if (z < 0.0f) {
        theta = static_cast<float>(std::atan(static_cast<double>(x / z)) + kPi);
    } else if (x >= 0.0f) {
        theta = static_cast<float>(std::atan(static_cast<double>(x / z)));
    } else {
        theta = static_cast<float>(std::atan(static_cast<double>(x / z)) + kTwoPi);
    }
    float yaw = theta * kRadToDeg;

    float phi;
    if (h == 0.0f && y == 0.0f) {
        phi = 0.0f;  // the zero vector: level
    } else if (z < 0.0f) {
        phi = static_cast<float>(std::atan(static_cast<double>(y / h)) + kPi);
        yaw -= 180.0f;
        if (yaw < 0.0f) yaw += 360.0f;
    } else if (y <= 0.0f) {
        phi = static_cast<float>(std::atan(static_cast<double>(-y / h)));
    } else {
        phi = static_cast<float>(kTwoPi - std::atan(static_cast<double>(y / h)));
    }
    Aim aim{yaw, phi * kRadToDeg};
    foldAim(aim);
    return aim;
}

Vec3 vecAdd(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

Vec3 vecSub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 vecScale(float s, const Vec3& v) { return {s * v.x, s * v.y, s * v.z}; }

float vecLength(const Vec3& v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v.x * v.x + v.y * v.y + v.z * v.z)));
}

Vec3 vecNormalize(const Vec3& v) {
    const float length = vecLength(v);
    if (length == 0.0f) return v;
    const float k = 1.0f / length;
    return {k * v.x, k * v.y, k * v.z};
}

Aim aimInFrame(float roll, float pitch, float yaw, const Aim& aim) {
    Vec3 v = aimToDirection(aim.yaw, aim.pitch);

    const double b = pitch * kDegToRadFrame;
    const double cb = std::cos(b), sb = std::sin(b);
    Vec3 r1{v.x, static_cast<float>(v.y * cb - v.z * sb), static_cast<float>(v.y * sb + v.z * cb)};

    const double a = roll * kDegToRadFrame;
    const double ca = std::cos(a), sa = std::sin(a);
    Vec3 r2{static_cast<float>(r1.x * ca - r1.y * sa), static_cast<float>(r1.x * sa + r1.y * ca),
            r1.z};

    const double g = yaw * kDegToRadFrame;
    const double cg = std::cos(g), sg = std::sin(g);
    Vec3 r3{static_cast<float>(r2.x * cg + r2.z * sg), r2.y,
            static_cast<float>(r2.z * cg - r2.x * sg)};

    Aim result = directionToAim(r3);
    foldAim(result);
    return result;
}

int turnStepYaw(float current, float target) {
    if (target - 0.5f <= current && current <= target + 0.5f) return 0;
    if (target > current) return (target - current > 180.0f) ? -1 : 1;
    return (current - target > 180.0f) ? 1 : -1;
}

int turnStepPitch(float current, float target) {
    if (target - 1.0f <= current && current <= target + 1.0f) return 0;
    if (current >= 0.0f && current <= 90.0f) {
        if (target >= 270.0f) return -1;
        return (current < target) ? 1 : -1;
    }
    if (target <= 90.0f) return 1;
    return (current < target) ? 1 : -1;
}
