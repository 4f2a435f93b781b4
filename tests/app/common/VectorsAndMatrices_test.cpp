#include "common/VectorsAndMatrices.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace common;

namespace {

constexpr double Tol = 1e-5;
constexpr double Pi = 3.14159265358979;

void ExpectNear(const Vector3& v, double x, double y, double z, double tol = Tol) {
    EXPECT_NEAR(v.X, x, tol);
    EXPECT_NEAR(v.Y, y, tol);
    EXPECT_NEAR(v.Z, z, tol);
}

TEST(Vectors, Arithmetic) {
    const Vector3 a = MakeVector(1, 2, 3);
    const Vector3 b = MakeVector(4, -5, 6);
    ExpectNear(VecCross(a, b), 27, 6, -13);
    ExpectNear(VecCross(MakeVector(1, 0, 0), MakeVector(0, 1, 0)), 0, 0, 1);
    ExpectNear(VecAdd(a, b), 5, -3, 9);
    ExpectNear(VecSubtract(a, b), -3, 7, -3);
    ExpectNear(VecScale(a, 2.5F), 2.5, 5, 7.5);
    ExpectNear(VecScaleDouble(a, -0.5), -0.5, -1, -1.5);
    EXPECT_EQ(VecCopy(a), a);
    EXPECT_NEAR(VecDot(a, b), 12, Tol);
    EXPECT_NEAR(VecCross2D(MakeVector(1, 0, 5), MakeVector(0, 1, 7)), 1, Tol);
    EXPECT_NEAR(VecCross2D(MakeVector(2, 3, 0), MakeVector(4, 5, 0)), -2, Tol);
    EXPECT_NEAR(VecLength(MakeVector(3, 4, 12)), 13, Tol);
    EXPECT_NEAR(VecDistance(MakeVector(1, 1, 1), MakeVector(4, 5, 1)), 5, Tol);
}

TEST(Vectors, Normalize) {
    ExpectNear(VecNormalize(MakeVector(0, 0, 0)), 0, 0, 0, 0);
    ExpectNear(VecNormalize(MakeVector(3, 0, 4)), 0.6, 0, 0.8);
    ExpectNear(VecNormalize(MakeVector(0, -2, 0)), 0, -1, 0);
}

TEST(Vectors, Rotations) {
    ExpectNear(RotateAboutZ(MakeVector(1, 0, 7), static_cast<float>(Pi / 2)), 0, 1, 7);
    ExpectNear(RotateAboutY(MakeVector(1, 7, 0), static_cast<float>(Pi / 2)), 0, 7, -1);
    ExpectNear(RotateAboutX(MakeVector(7, 1, 0), static_cast<float>(Pi / 2)), 7, 0, 1);
    ExpectNear(RotateAboutZ(MakeVector(1, 2, 3), 0), 1, 2, 3);
}

TEST(Vectors, CartesianToSpherical) {
    ExpectNear(CartesianToSpherical(MakeVector(0, 1, 0)), 1, 0, 0);
    ExpectNear(CartesianToSpherical(MakeVector(1, 0, 0)), 1, Pi / 2, 0);
    const Vector3 below = CartesianToSpherical(MakeVector(0, 1, -1));
    EXPECT_NEAR(below.X, std::sqrt(2.0), Tol);
    EXPECT_NEAR(below.Z, 2 * Pi - Pi / 4, Tol);
    EXPECT_NEAR(CartesianToSpherical(MakeVector(-1, 0, 0)).Y, 3 * Pi / 2, Tol);
}

TEST(Vectors, VecToAngles) {
    ExpectNear(VecToAngles(MakeVector(0, 0, 0)), 0, 0, 0, 0);
    ExpectNear(VecToAngles(MakeVector(0, 1, 0)), 0, 0, Pi);
    ExpectNear(VecToAngles(MakeVector(0, -1, 0)), 0, 0, 0);
    ExpectNear(VecToAngles(MakeVector(0.0005F, 0.0005F, 2)), Pi, 0, 0);
    // The two turns lay a general direction on the Y axis, as far from the origin as it was.
    const Vector3 v = MakeVector(1, 2, 3);
    const Vector3 a = VecToAngles(v);
    EXPECT_EQ(a.Y, 0);
    const Vector3 laid = RotateAboutX(RotateAboutZ(v, a.Z), a.X);
    ExpectNear(laid, 0, -std::sqrt(14.0), 0, 1e-4);
}

TEST(Vectors, LineAndPlane) {
    const Plane z5 = MakePlane(MakeVector(0, 0, 1), MakeVector(3, 4, 5));
    EXPECT_FLOAT_EQ(z5.D, -5);
    EXPECT_EQ(z5.Normal, MakeVector(0, 0, 1));
    ExpectNear(VecIntersectLinePlane(MakeVector(1, 2, 0), MakeVector(1, 2, 10), z5), 1, 2, 5);
    ExpectNear(VecIntersectLinePlane(MakeVector(0, 0, 0), MakeVector(2, 4, 2), z5), 5, 10, 5);
    const float s = LineParallelToPlane;
    EXPECT_EQ(VecIntersectLinePlane(MakeVector(1, 2, 3), MakeVector(1, 2, 3), z5), MakeVector(s, s, s));
    EXPECT_EQ(VecIntersectLinePlane(MakeVector(0, 0, 0), MakeVector(1, 1, 0), z5), MakeVector(s, s, s));
    EXPECT_EQ(s, 9999999.0F);

    // A plane through the origin keeps its normal.
    const Plane ground = MakePlane(MakeVector(0, 0, 1), MakeVector(7, 8, 0));
    EXPECT_EQ(ground.D, 0);
    EXPECT_EQ(ground.Normal, MakeVector(0, 0, 1));
    ExpectNear(VecIntersectLinePlane(MakeVector(1, 2, 10), MakeVector(1, 2, 5), ground), 1, 2, 0);
}

TEST(Vectors, IntersectLines2D) {
    ExpectNear(IntersectLines2D(MakeVector(0, 0, 9), MakeVector(0, 10, 9), MakeVector(-5, 3, 0),
                                MakeVector(5, 3, 0)),
               0, 3, 0);
    ExpectNear(IntersectLines2D(MakeVector(-5, 3, 0), MakeVector(5, 3, 0), MakeVector(2, 0, 0),
                                MakeVector(2, 10, 0)),
               2, 3, 0);
    ExpectNear(
        IntersectLines2D(MakeVector(0, 0, 0), MakeVector(2, 2, 0), MakeVector(0, 2, 0), MakeVector(2, 0, 0)),
        1, 1, 0);
    const Vector3 parallel = MakeVector(ParallelLines2D, 0, 0);
    EXPECT_EQ(
        IntersectLines2D(MakeVector(0, 0, 0), MakeVector(1, 1, 0), MakeVector(0, 1, 0), MakeVector(1, 2, 0)),
        parallel);
    EXPECT_EQ(
        IntersectLines2D(MakeVector(0, 0, 0), MakeVector(0, 1, 0), MakeVector(3, 1, 0), MakeVector(3, 2, 0)),
        parallel);
    EXPECT_EQ(ParallelLines2D, 999999.0F);
}

TEST(Vectors, IntersectRaySphere) {
    const Vector3 centre = MakeVector(0, 0, 0);
    ExpectNear(IntersectRaySphere(MakeVector(-10, 0, 0), MakeVector(-9, 0, 0), centre, 2), -2, 0, 0);
    // From inside: the exit point.
    ExpectNear(IntersectRaySphere(MakeVector(0, 0, 0), MakeVector(1, 0, 0), centre, 2), 2, 0, 0);
    ExpectNear(IntersectRaySphere(MakeVector(1, 5, 0), MakeVector(1, 4, 0), MakeVector(1, 0, 0), 3), 1, 3, 0);
    const float m = RayMissesSphere;
    const Vector3 miss = MakeVector(m, m, m);
    EXPECT_EQ(IntersectRaySphere(MakeVector(10, 0, 0), MakeVector(11, 0, 0), centre, 2), miss);
    EXPECT_EQ(IntersectRaySphere(MakeVector(-10, 5, 0), MakeVector(-9, 5, 0), centre, 2), miss);
    EXPECT_EQ(IntersectRaySphere(MakeVector(-10, 0, 0), MakeVector(-10, 0, 0), centre, 2), miss);
    EXPECT_EQ(m, 999999.0F);
}

TEST(Vectors, BearingMoves) {
    struct Case {
        float x, y, h, elevation;
        double alongX, alongY, againstX, againstY;
    };
    const Case cases[] = {
        {30, 40, 100, 45, 90, 120, -30, -40},
        {30, 40, 100, -45, -30, -40, 90, 120},
        {30, 40, 100, 0, 30, 40, 30, 40},
        {0, 0, 100, 45, 0, 0, 0, 0},
        {-6, 8, 50, 30, -6 - 0.6 * 86.6025404, 8 + 0.8 * 86.6025404, -6 + 0.6 * 86.6025404,
         8 - 0.8 * 86.6025404},
    };
    for (const auto& c : cases) {
        float x = c.x;
        float y = c.y;
        OffsetAlongBearing(x, y, c.h, c.elevation);
        EXPECT_NEAR(x, c.alongX, 1e-3);
        EXPECT_NEAR(y, c.alongY, 1e-3);
        x = c.x;
        y = c.y;
        OffsetAgainstBearing(x, y, c.h, c.elevation);
        EXPECT_NEAR(x, c.againstX, 1e-3);
        EXPECT_NEAR(y, c.againstY, 1e-3);
    }
}

} // namespace
