// The two-edge tracers leave out the diffraction point search of a path that the profile between the
// edges surely shadows. Each such verdict is checked here against the search and the shadow test it
// stands for, by brute force over random profiles built to crowd the boundaries: a profile point on the
// path's line or a hair off it, a plate whose end the line grazes, points near the strips' X ends.
#include "gtd_edge.h"
#include "gtd_quiet_legs.h"
#include "gtd_reflect.h"
#include "gtd_shadowed_legs.h"
#include "rough_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace kelvd;

namespace {

// A random rough profile of 12 points, its plates scaled to wavelengths as the GTD model scales them,
// with the edges k < m of a two-edge path; the profile point j between them is put on the line of the
// edges, at its own Y or anywhere along it, and nudged off by a relative amount that runs from far
// above to far below the rounding.
struct PathCase {
    RunInputs in;
    GtdWorkspace ws;
    std::string sink;
    GtdCall g{in, ws, sink, 0};
    int k = 0, m = 0;
    Vec3 S, P;

    explicit PathCase(std::mt19937_64& rng) {
        std::uniform_real_distribution<double> u(0, 1), nudgeExp(-17, -2);
        constexpr int n = 12;
        Profile p = kelvd_test::roughProfile(rng, n);
        // Edges 1 .. n - 2, at least two apart.
        k = 1 + static_cast<int>(rng() % (n - 4));
        m = k + 2 + static_cast<int>(rng() % static_cast<unsigned>(n - 3 - k));
        const Vec3 &a = p.v[static_cast<size_t>(k)], &b = p.v[static_cast<size_t>(m)];
        const int j = k + 1 + static_cast<int>(rng() % static_cast<unsigned>(m - k - 1));
        Vec3& v = p.v[static_cast<size_t>(j)];
        switch (rng() % 4) {
        case 0:
            v.z = a.z + (v.y - a.y) * (b.z - a.z) / (b.y - a.y);
            break;
        case 1:
            v = a + u(rng) * (b - a);
            break;
        case 2:
            // The plate from j on (or the one before j) through an edge of the path.
            if (j + 1 < m)
                p.v[static_cast<size_t>(j + 1)] = a + (2 * u(rng)) * (a - v);
            else
                v = b + (2 * u(rng)) * (b - p.v[static_cast<size_t>(j - 1)]);
            break;
        default:
            break;
        }
        const double nudge = std::pow(10.0, nudgeExp(rng)) * (u(rng) < 0.5 ? -1 : 1);
        v.z += nudge * (std::fabs(v.y) + std::fabs(v.z) + 1);
        const double scale = 0.2 + 1.3 * u(rng);
        kelvd_test::buildScaledPlates(g, p, scale);
        // The ends of the path anywhere about the profile, their X also beyond the strips' ends, now and
        // then so far that the path runs nearly along X.
        const double half = 50000 * scale;
        auto point = [&] {
            const double reach = rng() % 8 ? half : std::pow(10.0, 6 + 8 * u(rng));
            return Vec3{reach * 2.4 * (u(rng) - 0.5), scale * (40000 * u(rng) - 5000),
                        scale * (8000 * u(rng) - 2000)};
        };
        S = point();
        P = point();
        // Every other path is the call's own, so that its search's certificate may take the quick form.
        g.A = S;
        g.P = P;
        if (rng() % 2)
            g.quiet = FindQuietBounds(g);
    }
};

// Counts the paths the full steps tested; one the pre-test left out must have been shadowed after a
// search that wrote nothing.
struct ShadowTally {
    long skipped = 0, open = 0;
    testing::AssertionResult add(bool skip, bool shadowed, const std::string& sink) {
        skipped += skip;
        open += !shadowed;
        if (skip && (!shadowed || !sink.empty()))
            return testing::AssertionFailure()
                   << (!shadowed ? "the path was open" : "the search wrote " + sink);
        return testing::AssertionSuccess();
    }
};

// Runs the pre-test sure over 200000 random paths, each checked against the tracer's test rejects of the
// points V2DIF finds, then checks that both outcomes were frequent, so that the boundaries were really
// tried; at DEBUG 1 (the searches always write) no path is ever left out.
template <class Sure, class Rejects> void overRandomPaths(std::uint64_t seed, Sure sure, Rejects rejects) {
    std::mt19937_64 rng(seed);
    ShadowTally tally;
    for (int trial = 0; trial < 200000; ++trial) {
        PathCase c(rng);
        GtdCall& g = c.g;
        const bool skip = sure(g, c.S, c.P, c.k, c.m);
        c.sink.clear();
        Vec3 D1, D2;
        double beta0 = 0;
        V2DIF(g, c.S, c.P, g.edgeA(c.k), g.edgeB(c.k), g.edgeA(c.m), g.edgeB(c.m), D1, D2, beta0);
        ASSERT_TRUE(tally.add(skip, rejects(c, D1, D2), c.sink)) << "case " << trial;
        if (trial % 16 == 0) {
            g.DEBUG = 1;
            ASSERT_FALSE(sure(g, c.S, c.P, c.k, c.m)) << "case " << trial << " at DEBUG 1";
        }
    }
    EXPECT_GT(tally.skipped, 20000);
    EXPECT_GT(tally.open, 20000);
}

} // namespace

TEST(ShadowedLegs, EdgeToEdgePathLeftOutOnlyWhereTheShadowTestRejectsIt) {
    overRandomPaths(17, edgeToEdgeSurelyShadowed, [](PathCase& c, const Vec3& D1, const Vec3& D2) {
        return c.m - c.k == 2 ? RRSHAD(c.g, D1, D2, c.k, c.m - 1) : c.g.blocked(D1, D2, c.k + 1, c.m - 2);
    });
}

TEST(ShadowedLegs, OvertoppedPathLeftOutOnlyWhereTheProfilePointTestRejectsIt) {
    overRandomPaths(19, edgeToEdgeSurelyOvertopped, [](PathCase& c, const Vec3& D1, const Vec3& D2) {
        return DDPNT(c.g, D1, D2, c.k + 1, c.m - 2) == 1;
    });
}
