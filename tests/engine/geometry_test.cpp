#include "geometry.h"

#include "engine_constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kelvd;

namespace {

void expectVec(const Vec3& v, double x, double y, double z, double tol = 1e-12) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

// Plates over a profile of (Y, Z) points, laid out as the GTD model lays them: each profile point is a
// line across X = +-50000 with alternating signs, normals pointing into the ground.
PlateTable plates(const std::vector<std::pair<double, double>>& profile) {
    PlateTable t;
    const int nv = static_cast<int>(profile.size());
    for (int i = 0; i < 2 * nv; ++i) {
        const int j = i / 2;
        const double sign = ((i + j) % 2 == 0) ? 1.0 : -1.0;
        t.DRV[i] = {sign * 50000.0, profile[j].first, profile[j].second};
    }
    t.NPLATE = nv - 1;
    for (int k = 0; k < t.NPLATE; ++k) {
        const double dy = profile[k + 1].first - profile[k].first;
        const double dz = profile[k + 1].second - profile[k].second;
        const double len = std::hypot(dy, dz);
        t.normal[k] = {0, dz / len, -dy / len};
    }
    return t;
}

} // namespace

TEST(Vector, CodesAndDegenerateCases) {
    struct Case {
        int code;
        Vec3 a, b, want;
    };
    const Case cases[] = {
        {1, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {1, {1, 2, 3}, {4, 5, 6}, {-3, 6, -3}},
        {2, {2, 0, 0}, {0, 3, 0}, {0, 0, 1}},
        {2, {1, 2, 3}, {2, 4, 6}, {0, 0, 0}}, // parallel: zero, no division
        {3, {1, 1, 1}, {4, 5, 1}, {0.6, 0.8, 0}},
        {3, {1, 2, 3}, {1, 2, 3}, {0, 0, 0}}, // same point: zero, no division
        {4, {1, 2, 3}, {4, 5, 6}, {32, 0, 0}},
        {5, {3, 4, 0}, {0, 0, 2}, {0, 0, 0}},
        {5, {3, 4, 5}, {0, 0, 2}, {5, 0, 0}},
        {5, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}}, // |b| = 0: left undivided
        {5, {3, 4, 0}, {3, 4, 0}, {5, 0, 0}}, // VECTOR(5, d, d) = |d|
        {6, {1, 2, 3}, {4, 6, 8}, {3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Vec3 out{9, 9, 9};
        VECTOR(c.code, c.a, c.b, out);
        expectVec(out, c.want.x, c.want.y, c.want.z);
    }
}

TEST(Vector, DotCodesMayWriteIntoTheirInput) {
    Vec3 a{1, 2, 3};
    const Vec3 b{4, 5, 6};
    VECTOR(4, a, b, a);
    expectVec(a, 32, 0, 0);
    Vec3 c{1, 2, 3};
    VECTOR(4, c, c, c);
    expectVec(c, 14, 0, 0);
    Vec3 d{0, 3, 4};
    const Vec3 e{0, 0, 2};
    VECTOR(5, d, e, d);
    expectVec(d, 4, 0, 0);
}

TEST(Atan2s, OriginAndQuadrants) {
    EXPECT_EQ(ATAN2S(0, 0), 0.0);
    EXPECT_NEAR(ATAN2S(0, -1), kPi, 1e-15);
    EXPECT_NEAR(ATAN2S(1, 0), kPi / 2, 1e-15);
    EXPECT_NEAR(ATAN2S(-1, -1), -3 * kPi / 4, 1e-15);
}

TEST(Raydir, DistanceAndAngles) {
    struct Case {
        Vec3 b;
        double dist, theta, phi;
    };
    const Case cases[] = {
        {{0, -5, 0}, 5, 90, -90},
        {{0, 0, 7}, 7, 0, 90},
        {{0, 0, -2}, 2, 180, 90},
        {{3, 3, 0}, std::sqrt(18.0), 90, 45},
        {{-1, 0, 1}, std::sqrt(2.0), 45, 180},
        {{1, -1, -std::sqrt(2.0)}, 2, 135, -45},
    };
    for (const Case& c : cases) {
        Vec3 u;
        double dist = 0, theta = 0, phi = 0;
        RAYDIR({0, 0, 0}, c.b, u, dist, theta, phi);
        EXPECT_NEAR(dist, c.dist, 1e-12);
        EXPECT_NEAR(theta, c.theta, 1e-12);
        EXPECT_NEAR(phi, c.phi, 1e-12);
        expectVec(u, c.b.x / c.dist, c.b.y / c.dist, c.b.z / c.dist);
    }
    Vec3 u;
    double dist = 0, theta = 0, phi = 0;
    RAYDIR({1, 2, 3}, {1, 5, 7}, u, dist, theta, phi);
    EXPECT_NEAR(dist, 5, 1e-12);
    EXPECT_NEAR(theta, std::atan2(3.0, 4.0) / kRadPerDeg, 1e-12);
    EXPECT_NEAR(phi, 90, 1e-12);
}

TEST(Plnint, IntersectionAndParallel) {
    Vec3 R{7, 7, 7};
    int parallel = -5;
    PLNINT({0, 0, 2}, {0, 0, 1}, {1, 1, 10}, {0, 0.6, -0.8}, R, parallel);
    EXPECT_EQ(parallel, 0);
    expectVec(R, 1, 7, 2);

    // Tilted plane x + z = 1 through (1, 0, 0).
    const double h = std::sqrt(0.5);
    PLNINT({1, 0, 0}, {h, 0, h}, {0, 0, 0}, {1, 0, 0}, R, parallel);
    EXPECT_EQ(parallel, 0);
    expectVec(R, 1, 0, 0);

    // |s . n| below 1e-8 counts as parallel and leaves R untouched.
    R = {7, 7, 7};
    PLNINT({0, 0, 0}, {0, 0, 1}, {0, 0, 5}, {1, 0, 5e-9}, R, parallel);
    EXPECT_EQ(parallel, 1);
    expectVec(R, 7, 7, 7);
    PLNINT({0, 0, 0}, {0, 0, 1}, {0, 0, 5}, {1, 0, 2e-8}, R, parallel);
    EXPECT_EQ(parallel, 0);
}

TEST(Imgpnt, MirrorsAndTriprd) {
    Vec3 R;
    IMGPNT({1, 2, 3}, {0, 0, 1}, {0, 0, 1}, R);
    expectVec(R, 1, 2, -1);
    const double h = std::sqrt(0.5);
    IMGPNT({2, 0, 0}, {0, 0, 0}, {h, h, 0}, R);
    expectVec(R, 0, -2, 0);
    // A point on the plane is its own image.
    IMGPNT({5, -3, 1}, {0, 0, 1}, {0, 0, -1}, R);
    expectVec(R, 5, -3, 1);

    EXPECT_NEAR(TRIPRD({1, 0, 0}, {0, 1, 0}, {0, 0, 1}), 1, 1e-15);
    EXPECT_NEAR(TRIPRD({0, 1, 0}, {1, 0, 0}, {0, 0, 1}), -1, 1e-15);
    EXPECT_NEAR(TRIPRD({1, 2, 3}, {4, 5, 6}, {7, 8, 10}), -3, 1e-12);
}

TEST(Refpnt, ImageModeFindsTheSpecularPoint) {
    // Flat plate 0 from Y 0 to 100, plate 1 from 100 to 200, both at Z 0.
    const PlateTable t = plates({{0, 0}, {100, 0}, {200, 0}});
    struct Case {
        Vec3 source, field;
        int plate;
        int wantL, wantFlag;
        double wantY;
    };
    const Case cases[] = {
        {{0, 10, 10}, {0, 90, 30}, 0, 0, 1, 30},     // inside plate 0
        {{0, 110, 10}, {0, 190, 10}, 1, 0, 1, 150},  // inside odd plate 1
        {{0, 110, 10}, {0, 190, 10}, 0, 0, -1, 150}, // point beyond plate 0: outside
        {{0, 10, -10}, {0, 90, 30}, 0, 1, -1, 0},    // source below the plane: no point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wantY);
        int L = c.plate;
        int flag = 0;
        Vec3 R{5, 5, 5};
        REFPNT(c.source, t, L, 2, R, {0, 0, 0}, flag, c.field);
        EXPECT_EQ(L, c.wantL);
        EXPECT_EQ(flag, c.wantFlag);
        if (c.wantL == 0) {
            expectVec(R, 0, c.wantY, 0, 1e-9);
        } else {
            expectVec(R, 0, 0, 0);
        }
    }
}

TEST(Refpnt, LineModeOnASlope) {
    // Plate 0 rises from (Y 0, Z 0) to (Y 100, Z 100).
    const PlateTable t = plates({{0, 0}, {100, 100}, {200, 100}});
    const double h = std::sqrt(0.5);
    int L = 0, flag = 0;
    Vec3 R;
    REFPNT({0, 0, 50}, t, L, 1, R, {0, h, -h}, flag, {});
    EXPECT_EQ(L, 0);
    EXPECT_EQ(flag, 1);
    expectVec(R, 0, 25, 25, 1e-9);

    // A line along the slope never meets its plane.
    L = 0;
    REFPNT({0, 0, 50}, t, L, 1, R, {0, h, h}, flag, {});
    EXPECT_EQ(L, 1);
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(refpntHit(L, flag));

    // Meeting the plane beyond the plate's far edge is outside.
    L = 0;
    REFPNT({0, 150, 200}, t, L, 1, R, {0, 0, -1}, flag, {});
    EXPECT_EQ(L, 0);
    EXPECT_EQ(flag, -1);
    expectVec(R, 0, 150, 150, 1e-9);
}

TEST(Vlogi1, BlockingByPlates) {
    // A ridge: up from (0, 0) to (100, 50), down to (200, 0).
    const PlateTable t = plates({{0, 0}, {100, 50}, {200, 0}, {300, 0}});
    struct Case {
        Vec3 p1, p2;
        int lstart, lstop, want;
    };
    const Case cases[] = {
        {{0, -50, 10}, {0, 250, 10}, 0, 2, 1},    // straight through the ridge
        {{0, -50, 10}, {0, 250, 10}, 2, 2, -1},   // the flat plate alone does not block
        {{0, -50, 100}, {0, 250, 100}, 0, 2, -1}, // above everything
        {{0, -50, 10}, {0, 50, 10}, 0, 0, 1},     // ends inside the hill
        {{0, 50, 25}, {0, 250, 200}, 0, 2, 1},    // starts exactly on plate 0: a = 0 counts too
        {{0, 50, 25}, {0, 250, 200}, 1, 2, -1},   // the same path past the other plates
        {{0, 250, 0}, {0, 250, 100}, 2, 2, 1},    // end exactly on plate 2: a . b = 0 counts
        {{0, 50, 100}, {0, 60, 100}, 0, 2, -1},   // both ends on the same side of every plate
    };
    std::string sink;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p2.y);
        int blocked = 0;
        VLOGI1(c.p1, c.p2, t, c.lstart, c.lstop, blocked, sink);
        EXPECT_EQ(blocked, c.want);
    }
    EXPECT_EQ(sink, "");
}

TEST(Vlogi1, PlateRangeOutsideTheTableReportsAndPasses) {
    const PlateTable t = plates({{0, 0}, {100, 50}, {200, 0}});
    std::string sink = "before\n";
    int blocked = 0;
    VLOGI1({0, -50, 10}, {0, 250, 10}, t, 0, 2, blocked, sink);
    EXPECT_EQ(blocked, -1);
    EXPECT_EQ(sink, "before\n   ERROR FROM VLOGI1, LSTART =         1 LSTOP =         3\r\n\r\n");

    // No plates at all (a one-point profile): the direct ray's test over 0 .. -1.
    PlateTable none;
    sink.clear();
    VLOGI1({0, 0, 10}, {0, 100, 10}, none, 0, -1, blocked, sink);
    EXPECT_EQ(blocked, -1);
    EXPECT_EQ(sink, "   ERROR FROM VLOGI1, LSTART =         1 LSTOP =         0\r\n\r\n");
}
