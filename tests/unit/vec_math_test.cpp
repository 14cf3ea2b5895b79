#include "game/vec_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float wrapped(float a) {
    wrapAngle(a);
    return a;
}

Aim folded(float yaw, float pitch) {
    Aim aim{yaw, pitch};
    foldAim(aim);
    return aim;
}

void expectVec(const Vec3& v, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace

TEST(VecMath, WrapAngleCorrectsOnceEachWay) {
    EXPECT_EQ(wrapped(-10.0f), 350.0f);
    EXPECT_EQ(wrapped(360.0f), 0.0f);
    EXPECT_EQ(wrapped(725.0f), 365.0f);
    EXPECT_EQ(wrapped(0.0f), 0.0f);
    EXPECT_EQ(wrapped(359.5f), 359.5f);
}

TEST(VecMath, FoldAimTurnsOnlyStrictlyBetween90And270) {
    Aim a = folded(10, 100);
    EXPECT_EQ(a.yaw, 190.0f);
    EXPECT_EQ(a.pitch, 80.0f);
    a = folded(350, 200);
    EXPECT_EQ(a.yaw, 170.0f);
    EXPECT_EQ(a.pitch, 340.0f);
    a = folded(10, 90);
    EXPECT_EQ(a.yaw, 10.0f);
    EXPECT_EQ(a.pitch, 90.0f);
    a = folded(10, 270);
    EXPECT_EQ(a.yaw, 10.0f);
    EXPECT_EQ(a.pitch, 270.0f);
    // 540 - 180 = 360 wraps to 0.
    a = folded(0, 180);
    EXPECT_EQ(a.yaw, 180.0f);
    EXPECT_EQ(a.pitch, 0.0f);
}

TEST(VecMath, AimToDirectionKeepsHorizontalLengthOne) {
    expectVec(aimToDirection(0, 0), 0, 0, 1);
    expectVec(aimToDirection(90, 45), 1, -1, 0);
    expectVec(aimToDirection(0, 315), 0, 1, 1);
    // Past the vertical the direction turns around.
    expectVec(aimToDirection(0, 135), 0, -1, -1);
    const Vec3 v = aimToDirection(33.0f, 10.0f);
    EXPECT_NEAR(v.x * v.x + v.z * v.z, 1.0f, 1e-6f);
}

TEST(VecMath, AimToDirectionUsesSinglePrecisionDegreeFactor) {
    // 90 degrees through the float factor is not exactly pi/2, so the cosine
    // is a tiny negative number rather than the double-exact one.
    const Vec3 v = aimToDirection(90.0f, 0.0f);
    const double rad = static_cast<double>(90.0f * 0.017453292f);
    EXPECT_EQ(v.z, static_cast<float>(std::cos(rad)));
    EXPECT_EQ(v.x, static_cast<float>(std::sin(rad)));
}

TEST(VecMath, DirectionToAimCoversTheCompass) {
    Aim a = directionToAim(0, 0, 1);
    EXPECT_NEAR(a.yaw, 0.0f, 1e-4f);
    EXPECT_NEAR(a.pitch, 0.0f, 1e-4f);
    EXPECT_NEAR(directionToAim(1, 0, 0).yaw, 90.0f, 1e-3f);
    a = directionToAim(0, 0, -1);
    EXPECT_NEAR(a.yaw, 180.0f, 1e-3f);
    EXPECT_NEAR(a.pitch < 180 ? a.pitch : a.pitch - 360.0f, 0.0f, 1e-3f);
    EXPECT_NEAR(directionToAim(-1, 0, 0).yaw, 270.0f, 1e-3f);
    EXPECT_NEAR(directionToAim(0, -1, 1).pitch, 45.0f, 1e-3f);
    EXPECT_NEAR(directionToAim(0, 1, 1).pitch, 315.0f, 1e-3f);
    // Behind and above: yaw from the bearing, pitch above the horizon.
    a = directionToAim(-1, 1, -1);
    EXPECT_NEAR(a.yaw, 225.0f, 1e-3f);
    EXPECT_NEAR(a.pitch, 360.0f - 35.26439f, 1e-3f);
}

TEST(VecMath, DirectionToAimRoundTripsNormalisedAims) {
    for (float yaw = 0; yaw < 360; yaw += 37) {
        for (float pitch : {0.0f, 20.0f, 80.0f, 290.0f, 350.0f}) {
            const Aim a = directionToAim(aimToDirection(yaw, pitch));
            EXPECT_NEAR(a.yaw, yaw, 2e-3f) << yaw << " " << pitch;
            EXPECT_NEAR(a.pitch, pitch, 2e-3f) << yaw << " " << pitch;
        }
    }
}

TEST(VecMath, DirectionToAimStaysInRangeForDegenerateDirections) {
    // Straight up/down and the zero vector have no bearing; they must still
    // give finite, normalised angles.
    for (const Vec3& v : {Vec3{0, 1, 0}, Vec3{0, -1, 0}, Vec3{0, 0, 0}}) {
        const Aim a = directionToAim(v);
        EXPECT_TRUE(std::isfinite(a.yaw) && std::isfinite(a.pitch));
        EXPECT_GE(a.yaw, 0.0f);
        EXPECT_LT(a.yaw, 360.0f);
    }
    EXPECT_NEAR(directionToAim(0, -1, 0).pitch, 90.0f, 1e-3f);
    EXPECT_NEAR(directionToAim(0, 1, 0).pitch, 270.0f, 1e-3f);
    // A negative zero z is the same bearing as a positive one.
    EXPECT_NEAR(directionToAim(1, 0, -0.0f).yaw, 90.0f, 1e-3f);
}

TEST(VecMath, VectorOperations) {
    expectVec(vecNormalize({0, 0, 0}), 0, 0, 0, 0);
    expectVec(vecNormalize({3, 0, 4}), 0.6f, 0, 0.8f);
    EXPECT_EQ(vecLength({3, 4, 12}), 13.0f);
    expectVec(vecAdd({1, 2, 3}, {4, 5, 6}), 5, 7, 9, 0);
    expectVec(vecScale(2, {1, -2, 3}), 2, -4, 6, 0);
    expectVec(vecSub({1, 2, 3}, {4, 5, 6}), -3, -3, -3, 0);
}

TEST(VecMath, AimInFrameRotatesTheAim) {
    Aim a = aimInFrame(0, 0, 0, {30, 10});
    EXPECT_NEAR(a.yaw, 30.0f, 1e-3f);
    EXPECT_NEAR(a.pitch, 10.0f, 1e-3f);
    a = aimInFrame(0, 0, 0, {30, 120});  // normalised on the way
    EXPECT_NEAR(a.yaw, 210.0f, 1e-3f);
    EXPECT_NEAR(a.pitch, 60.0f, 1e-3f);
    a = aimInFrame(0, 0, 25, {30, 10});  // yaw adds
    EXPECT_NEAR(a.yaw, 55.0f, 1e-3f);
    EXPECT_NEAR(a.pitch, 10.0f, 1e-3f);
    a = aimInFrame(0, 20, 0, {0, 10});  // pitch tips downward
    EXPECT_NEAR(a.yaw, 0.0f, 1e-3f);
    EXPECT_NEAR(a.pitch, 30.0f, 1e-3f);
    // Undoing a hull's angles: negate them in reverse.
    a = aimInFrame(0, 0, -90, {90, 0});
    EXPECT_NEAR(a.yaw < 180 ? a.yaw : a.yaw - 360.0f, 0.0f, 1e-3f);
}

TEST(VecMath, TurnStepsGoTheShortWay) {
    EXPECT_EQ(turnStepYaw(350, 10), 1);
    EXPECT_EQ(turnStepYaw(10, 350), -1);
    EXPECT_EQ(turnStepYaw(100, 100.4f), 0);
    EXPECT_EQ(turnStepYaw(100, 100.5f), 0);  // the dead band is inclusive
    EXPECT_EQ(turnStepYaw(100, 101), 1);
    EXPECT_EQ(turnStepYaw(100, 99), -1);

    EXPECT_EQ(turnStepPitch(30, 300), -1);
    EXPECT_EQ(turnStepPitch(300, 30), 1);
    EXPECT_EQ(turnStepPitch(300, 280), -1);
    EXPECT_EQ(turnStepPitch(5, 5.9f), 0);
    EXPECT_EQ(turnStepPitch(5, 6), 0);
    EXPECT_EQ(turnStepPitch(5, 20), 1);
    EXPECT_EQ(turnStepPitch(20, 5), -1);
    EXPECT_EQ(turnStepPitch(280, 300), 1);
}
