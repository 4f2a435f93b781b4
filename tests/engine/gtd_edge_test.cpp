#include "engine_constants.h"
#include "gtd_edge.h"
#include "gtd_plates.h"
#include "gtd_reflect.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvd;

namespace {

struct Plates {
    RunInputs in;
    GtdWorkspace ws;
    std::string sink;
    GtdCall g{in, ws, sink, 0};

    explicit Plates(const std::vector<std::pair<double, double>>& profile) {
        Profile p;
        p.NV = static_cast<int>(profile.size());
        for (size_t i = 0; i < profile.size(); ++i)
            p.v[i] = {0, profile[i].first, profile[i].second};
        EXPECT_EQ(BuildPlates(g, p), -1);
    }
};

double angleToEdge(const Vec3& from, const Vec3& D) {
    const Vec3 u = unitFromTo(D, from);
    return std::fabs(u.x);
}

} // namespace

// The diffraction point lies on the edge where the rays to the source and to the observer make the same
// angle with it (Keller's cone).
TEST(Vbeta, DiffractionPointOnKellersCone) {
    Plates t({{0, 0}, {100, 20}, {300, 0}});
    struct Case {
        Vec3 S, P;
    };
    const Case cases[] = {{{0, -50, 10}, {0, 400, 5}},
                          {{-80, -50, 10}, {300, 400, 5}},
                          {{500, 20, 60}, {-900, 900, -40}},
                          {{0, 100, 80}, {40, 250, -30}}};
    for (const Case& c : cases) {
        Vec3 D;
        double beta0 = 0;
        VBETA(t.g, c.S, c.P, t.g.edgeA(1), t.g.edgeB(1), D, beta0);
        EXPECT_NEAR(D.y, 100, 1e-12);
        EXPECT_NEAR(D.z, 20, 1e-12);
        EXPECT_NEAR(angleToEdge(c.S, D), angleToEdge(c.P, D), 1e-9);
        EXPECT_NEAR(std::cos(beta0 * kRadPerDeg), angleToEdge(c.S, D), 1e-9);
    }
    EXPECT_EQ(t.sink, "");

    // A source on the edge line has no diffraction point.
    Vec3 D;
    double beta0 = 5;
    VBETA(t.g, {7, 100, 20}, {0, 400, 5}, t.g.edgeA(1), t.g.edgeB(1), D, beta0);
    EXPECT_EQ(beta0, 0);
    EXPECT_TRUE(std::isfinite(D.x));
}

// Over two parallel edges the path is straight in the unfolded plane, with one angle to both edges.
TEST(V2dif, PathOverTwoEdges) {
    Plates t({{0, 0}, {100, 20}, {180, 25}, {300, 0}});
    const Vec3 S{-30, -50, 10}, P{90, 500, 4};
    Vec3 D1, D2;
    double beta0 = 0;
    V2DIF(t.g, S, P, t.g.edgeA(1), t.g.edgeB(1), t.g.edgeA(2), t.g.edgeB(2), D1, D2, beta0);
    EXPECT_NEAR(D1.y, 100, 1e-12);
    EXPECT_NEAR(D2.y, 180, 1e-12);
    const double c = std::cos(beta0 * kRadPerDeg);
    EXPECT_NEAR(angleToEdge(S, D1), c, 1e-9);
    EXPECT_NEAR(std::fabs(unitFromTo(D1, D2).x), c, 1e-9);
    EXPECT_NEAR(angleToEdge(P, D2), c, 1e-9);
    EXPECT_EQ(t.sink, "");
}

// DDPNT: 1 when a profile point between two diffraction points reaches the line joining them.
TEST(Ddpnt, ProfilePointOnOrAboveTheLine) {
    Plates t({{0, 0}, {100, 20}, {150, 10}, {200, 20}, {300, 0}});
    EXPECT_EQ(DDPNT(t.g, {0, 100, 20}, {0, 200, 20}, 2, 2), 1);  // point 2 at 10 below, point 3 on the line
    EXPECT_EQ(DDPNT(t.g, {0, 100, 20}, {0, 200, 21}, 2, 1), -1); // point 2 alone, below
    EXPECT_EQ(DDPNT(t.g, {0, 100, 5}, {0, 200, 5}, 2, 1), 1);    // point 2 above a lower line
}

// RRSHAD: a leg between adjacent plates is blocked when it passes under their common vertex.
TEST(Rrshad, CommonVertexOfAdjacentPlates) {
    Plates hill({{0, 0}, {100, 20}, {200, 0}});
    EXPECT_TRUE(RRSHAD(hill.g, {0, 50, 10}, {0, 150, 10}, 0, 1));
    EXPECT_FALSE(RRSHAD(hill.g, {0, 50, 25}, {0, 150, 25}, 0, 1));
    Plates valley({{0, 20}, {100, 0}, {200, 20}});
    EXPECT_FALSE(RRSHAD(valley.g, {0, 50, 10}, {0, 150, 10}, 0, 1));
}
