// The quick rejections in front of the exact plate, profile and reader steps must never change what
// those steps decide: each is compared here with the exact step alone, by brute force over random cases
// that crowd the boundaries (lines aimed at plate ends, segments ending on a plate's plane, nodes on the
// cutting plane, numbers in the forms fscanf treats specially).
#include "engine_constants.h"
#include "error_codes.h"
#include "geometry.h"
#include "ground_file.h"
#include "gtd_edge.h"
#include "gtd_plates.h"
#include "gtd_quiet_legs.h"
#include "rough_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace kelvd;

namespace {

struct Strips {
    RunInputs in;
    GtdWorkspace ws;
    std::string sink;
    GtdCall g{in, ws, sink, 0};

    // A random rough profile of n points, scaled to wavelengths as the GTD model scales it.
    Strips(std::mt19937_64& rng, int n, double scale) {
        kelvd_test::buildScaledPlates(g, kelvd_test::roughProfile(rng, n), scale);
    }
    const PlateTable& T() const { return g.T; }
};

Vec3 unit(const Vec3& d) {
    const double l = length(d);
    return (1.0 / l) * d;
}

// A point near a plate's boundary: an end line (profile point L or L + 1) or an X end, nudged by a
// relative amount that runs from far above to far below the rounding.
Vec3 nearBoundary(std::mt19937_64& rng, const PlateTable& T, int L) {
    std::uniform_real_distribution<double> t(0, 1), nudgeExp(-17, -2);
    std::uniform_int_distribution<int> which(0, 3);
    const Vec3 &a = T.DRV[static_cast<size_t>(2 * L)], &c = T.DRV[static_cast<size_t>(2 * L + 2)];
    const double f = t(rng);
    Vec3 p;
    switch (which(rng)) {
    case 0:
        p = {a.x * (2 * f - 1), a.y, a.z};
        break;
    case 1:
        p = {a.x * (2 * f - 1), c.y, c.z};
        break;
    case 2:
        p = a + f * (c - a);
        break;
    default:
        p = T.DRV[static_cast<size_t>(2 * L + 1)] +
            f * (T.DRV[static_cast<size_t>(2 * L + 3)] - T.DRV[static_cast<size_t>(2 * L + 1)]);
        break;
    }
    const double nudge = std::pow(10.0, nudgeExp(rng)) * (t(rng) < 0.5 ? -1 : 1);
    return p +
           (nudge * (std::fabs(p.y) + std::fabs(p.z) + 1)) * Vec3{t(rng) - 0.5, t(rng) - 0.5, t(rng) - 0.5};
}

Vec3 randomPoint(std::mt19937_64& rng, double scale) {
    std::uniform_real_distribution<double> x(-60000, 60000), y(-5000, 90000), z(-2000, 6000);
    return scale * Vec3{x(rng), y(rng), z(rng)};
}

bool refpntHits(const Vec3& X, const Vec3& s, const PlateTable& T, int plate) {
    int L = plate, flag = 0;
    Vec3 R;
    REFPNT(X, T, L, 1, R, s, flag, {});
    return refpntHit(L, flag);
}

// VLOGI1's decision by the exact test of every plate in the range.
bool blockedByExactTest(const Vec3& P1, const Vec3& P2, const PlateTable& T, int lstart, int lstop) {
    Vec3 u;
    VECTOR(3, P1, P2, u);
    for (int L = lstart; L <= lstop; ++L)
        if (PlateBlocks(P1, P2, u, T, L))
            return true;
    return false;
}

} // namespace

TEST(QuickRejection, StripTestNeverRejectsALineThatHitsThePlate) {
    std::mt19937_64 rng(20261211);
    std::uniform_real_distribution<double> scaleOf(0.2, 1.5);
    long rejected = 0, hits = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const Strips s(rng, 12, scaleOf(rng));
        const PlateTable& T = s.T();
        for (int k = 0; k < 400; ++k) {
            const int L = static_cast<int>(rng() % static_cast<unsigned>(T.NPLATE));
            const Vec3 X = randomPoint(rng, 1.0 / 3);
            const Vec3 towards = nearBoundary(rng, T, L);
            const Vec3 d = unit(towards - X);
            const bool hit = refpntHits(X, d, T, L);
            hits += hit;
            if (lineMissesStrip(X, d, T, L)) {
                ++rejected;
                ASSERT_FALSE(hit) << "trial " << trial << " case " << k;
            }
        }
    }
    // Both outcomes occur often, so the boundaries were really tried.
    EXPECT_GT(rejected, 10000);
    EXPECT_GT(hits, 10000);
}

TEST(QuickRejection, BlockageOfASegmentIsTheExactTestsDecision) {
    std::mt19937_64 rng(7);
    long blocked = 0, total = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const Strips s(rng, 10, 1.0 / 3);
        const PlateTable& T = s.T();
        for (int k = 0; k < 300; ++k) {
            const int L1 = static_cast<int>(rng() % static_cast<unsigned>(T.NPLATE));
            const int L2 = static_cast<int>(rng() % static_cast<unsigned>(T.NPLATE));
            const Vec3 P1 = (k % 3 == 0) ? randomPoint(rng, 1.0 / 3) : nearBoundary(rng, T, L1);
            const Vec3 P2 = (k % 3 == 1) ? randomPoint(rng, 1.0 / 3) : nearBoundary(rng, T, L2);
            std::string sink;
            int b = 0;
            VLOGI1(P1, P2, T, 0, T.NPLATE - 1, b, sink);
            const bool exact = blockedByExactTest(P1, P2, T, 0, T.NPLATE - 1);
            ASSERT_EQ(b == 1, exact) << "trial " << trial << " case " << k;
            blocked += exact;
            ++total;
        }
    }
    EXPECT_GT(blocked, total / 10);
    EXPECT_LT(blocked, total - total / 10);
}

namespace {

double foldedDeg(double c) {
    const double a = std::acos(std::clamp(c, -1.0, 1.0)) / kRadPerDeg;
    return a > 90 ? 180 - a : a;
}

// How far apart, in degrees, the angles of a and b to the X axis (the edges' direction) lie, each folded
// into 0..90 as the searches' checks fold them.
double angleGapToX(const Vec3& a, const Vec3& b) {
    const Vec3 x{1, 0, 0};
    return std::fabs(foldedDeg(dot(unitFromTo({}, a), x)) - foldedDeg(dot(unitFromTo({}, b), x)));
}

// A source, a field point and an edge along X of a random shape, crowding the cases where the
// diffraction point search is ill-conditioned: the point near the edge's first end or past it, rays
// nearly along the edge, points close to the edge line, coordinates of very different sizes.
struct EdgeCase {
    Vec3 S, P, Ea, Eb;
};

EdgeCase randomEdgeCase(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> u(-1, 1), e(-12, 0);
    const double half = std::pow(10.0, 5 * (u(rng) + 1) / 2);
    const double ey = 3e4 * u(rng), ez = 2e3 * u(rng);
    EdgeCase c{{}, {}, {-half, ey, ez}, {half, ey, ez}};
    auto aside = [&](double r) {
        const double a = kPi * u(rng);
        return Vec3{0, ey + r * std::cos(a), ez + r * std::sin(a)};
    };
    const double dl = rng() % 4 ? 1e4 * (u(rng) + 1) : std::pow(10.0, 6 * e(rng) / 12 + 2);
    const double rho = rng() % 4 ? 1e4 * (u(rng) + 1) : std::pow(10.0, 6 * e(rng) / 12 + 2);
    c.S = aside(dl);
    c.P = aside(rho);
    c.S.x = half * u(rng) * (rng() % 3 ? 1 : 3);
    // The exact point at the first end (or a hair beside it), or a ray nearly along the edge.
    const double t = rng() % 3 == 0 ? (-half - c.S.x) / dl * (1 + std::pow(10.0, e(rng)) * u(rng))
                     : rng() % 2    ? std::pow(10.0, -6 * e(rng) / 12) * u(rng)
                                    : u(rng);
    c.P.x = c.S.x + t * (dl + rho);
    if (rng() % 2)
        std::swap(c.Ea, c.Eb);
    return c;
}

} // namespace

// Where the certificate says the diffraction point search passes its check, it writes nothing, and the
// checked angles agree a hundred times closer than the check asks.
TEST(QuickRejection, QuietDiffractionPointSearchWritesNothing) {
    std::mt19937_64 rng(5);
    RunInputs in;
    GtdWorkspace ws;
    long quiet = 0, loud = 0, total = 200000;
    for (long k = 0; k < total; ++k) {
        const EdgeCase c = randomEdgeCase(rng);
        std::string sink;
        GtdCall g(in, ws, sink, 0);
        Vec3 D;
        double beta0 = 0;
        VBETA(g, c.S, c.P, c.Ea, c.Eb, D, beta0);
        loud += !sink.empty();
        QuietSearch q;
        if (!vbetaSurelyQuiet(c.S, c.P, c.Ea, c.Eb, q))
            continue;
        ++quiet;
        ASSERT_TRUE(sink.empty()) << "case " << k;
        ASSERT_LT(angleGapToX(c.S - D, c.P - D), 1e-5) << "case " << k;
        ASSERT_NEAR(q.invSinBeta2 * std::pow(std::sin(beta0 * kRadPerDeg), 2), 1, 1e-9) << "case " << k;
    }
    // Most cases are certified, and the ones the search complains about do occur.
    EXPECT_GT(quiet, total / 10);
    EXPECT_GT(loud, total / 100);
}

// The quick form, with the call's X bounds, certifies only searches that write nothing, and the looser
// bounds it gives hold: of the inverse squared sine, and of the found point's distance from the exact one.
TEST(QuickRejection, QuickQuietSearchWritesNothingAndItsBoundsHold) {
    std::mt19937_64 rng(7);
    RunInputs in;
    GtdWorkspace ws;
    long quick = 0, total = 200000;
    for (long k = 0; k < total; ++k) {
        const EdgeCase c = randomEdgeCase(rng);
        const QuietBounds b =
            QuietBoundsFor(c.S.x, c.P.x, std::min(c.Ea.x, c.Eb.x), std::max(c.Ea.x, c.Eb.x));
        QuietSearch q;
        if (!vbetaQuicklyQuiet(b, c.S, c.P, c.Ea, c.Eb, q))
            continue;
        ++quick;
        std::string sink;
        GtdCall g(in, ws, sink, 0);
        Vec3 D;
        double beta0 = 0;
        VBETA(g, c.S, c.P, c.Ea, c.Eb, D, beta0);
        ASSERT_TRUE(sink.empty()) << "case " << k;
        ASSERT_LT(angleGapToX(c.S - D, c.P - D), 1e-5) << "case " << k;
        ASSERT_GE(q.invSinBeta2 * std::pow(std::sin(beta0 * kRadPerDeg), 2), 1 - 1e-9) << "case " << k;
        // The exact point divides S.x to P.x as the distances from the edge divide their sum.
        const long double dl =
            std::hypot(static_cast<long double>(c.Ea.y) - c.S.y, static_cast<long double>(c.Ea.z) - c.S.z);
        const long double rho =
            std::hypot(static_cast<long double>(c.P.y) - c.Ea.y, static_cast<long double>(c.P.z) - c.Ea.z);
        const long double exactX = c.S.x + dl / (dl + rho) * (static_cast<long double>(c.P.x) - c.S.x);
        ASSERT_LE(std::fabs(static_cast<long double>(D.x) - exactX), q.errX) << "case " << k;
    }
    EXPECT_GT(quick, total / 20);
}

// It gives no verdict for a leg whose X or edge is not the call's.
TEST(QuickRejection, QuickQuietSearchOnlyForTheCallsLegs) {
    const Vec3 S{100, 0, 10}, P{-50, 9000, 400}, Ea{-16000, 3000, 20}, Eb{16000, 3000, 20};
    const QuietBounds b = QuietBoundsFor(S.x, P.x, Ea.x, Eb.x);
    QuietSearch q;
    ASSERT_TRUE(vbetaQuicklyQuiet(b, S, P, Ea, Eb, q));
    ASSERT_TRUE(vbetaQuicklyQuiet(b, S, P, Eb, Ea, q));
    const struct {
        const char* what;
        Vec3 S, P, Ea, Eb;
    } refused[] = {
        {"another source X", {101, 0, 10}, P, Ea, Eb},
        {"another field point X", S, {-49, 9000, 400}, Ea, Eb},
        {"an edge not along X", S, P, Ea, {16000, 3000, 21}},
        {"other edge ends", S, P, {-15000, 3000, 20}, Eb},
        {"a field point on the edge line", S, {-50, 3000, 20}, Ea, Eb},
    };
    for (const auto& c : refused)
        EXPECT_FALSE(vbetaQuicklyQuiet(b, c.S, c.P, c.Ea, c.Eb, q)) << c.what;
    EXPECT_FALSE(vbetaQuicklyQuiet(QuietBoundsFor(S.x, P.x, 200, Eb.x), S, P, {200, 3000, 20}, Eb, q))
        << "the exact point past the edge's first end";
}

// The same over two edges: the searches between them and the check of the whole path.
TEST(QuickRejection, QuietSearchOverTwoEdgesWritesNothing) {
    std::mt19937_64 rng(6);
    std::uniform_real_distribution<double> u(-1, 1), e(-3, 4);
    RunInputs in;
    GtdWorkspace ws;
    long quiet = 0, quick = 0, loud = 0, total = 100000;
    for (long k = 0; k < total; ++k) {
        const EdgeCase c = randomEdgeCase(rng);
        const Vec3 offset{0, std::pow(10.0, e(rng)) * u(rng), std::pow(10.0, e(rng)) * u(rng)};
        const Vec3 F1 = c.Ea + offset, F2 = c.Eb + offset;
        std::string sink;
        GtdCall g(in, ws, sink, 0);
        Vec3 D1, D2;
        double beta0 = 0;
        V2DIF(g, c.S, c.P, c.Ea, c.Eb, F1, F2, D1, D2, beta0);
        loud += !sink.empty();
        // Without bounds, and with the bounds of a call whose source and field point these are.
        QuietSearch q;
        const QuietBounds b =
            QuietBoundsFor(c.S.x, c.P.x, std::min(c.Ea.x, c.Eb.x), std::max(c.Ea.x, c.Eb.x));
        const bool plain = v2difSurelyQuiet(QuietBounds{}, c.S, c.P, c.Ea, c.Eb, F1, F2, q);
        const bool bounded = v2difSurelyQuiet(b, c.S, c.P, c.Ea, c.Eb, F1, F2, q);
        if (!plain && !bounded)
            continue;
        quiet += plain;
        quick += bounded;
        ASSERT_TRUE(sink.empty()) << "case " << k;
        ASSERT_LT(angleGapToX(D1 - c.S, D2 - c.P), 1e-5) << "case " << k;
        ASSERT_LE(std::fabs(D1.x - c.S.x) + std::fabs(D2.x - c.P.x),
                  2 * std::fabs(c.P.x - c.S.x) + 2 * q.errX)
            << "case " << k;
    }
    EXPECT_GT(quiet, total / 10);
    EXPECT_GT(quick, total / 20);
    EXPECT_GT(loud, total / 100);
}

namespace {

// A point on a line, in Y-Z, through the edge at E and a point by the plate's boundary, at any X.
Vec3 inLineWithEdge(std::mt19937_64& rng, const PlateTable& T, const Vec3& E, int plate) {
    std::uniform_real_distribution<double> u(-1, 1), size(0.2, 1.5);
    const Vec3 aim = nearBoundary(rng, T, plate);
    const Vec3 onEdge{aim.x, E.y, E.z};
    Vec3 X = onEdge + (3 * u(rng)) * (aim - onEdge);
    X.x = 2e4 * size(rng) * u(rng);
    return X;
}

// Counts a leg the full steps tested; one the pre-test skipped must have missed the plate after a
// search that wrote nothing.
struct LegTally {
    long rejected = 0, hits = 0;
    testing::AssertionResult add(bool skipped, bool hit, const std::string& sink) {
        hits += hit;
        rejected += skipped;
        if (skipped && (hit || !sink.empty()))
            return testing::AssertionFailure() << (hit ? "the plate was hit" : "the search wrote " + sink);
        return testing::AssertionSuccess();
    }
};

// Runs case over 400 legs on each of 300 random rough profiles (as the GTD model scales them), then
// checks that both outcomes were frequent, so that the boundaries were really tried.
template <class Case> void overRoughProfiles(std::uint64_t seed, Case testCase) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> scaleOf(0.2, 1.5);
    LegTally tally;
    for (int trial = 0; trial < 300; ++trial) {
        Strips s(rng, 12, scaleOf(rng));
        for (int k = 0; k < 400; ++k)
            ASSERT_TRUE(testCase(rng, s, k, tally)) << "trial " << trial << " case " << k;
    }
    EXPECT_GT(tally.rejected, 5000);
    EXPECT_GT(tally.hits, 5000);
}

} // namespace

// A leg from the source to an edge, or between the edge and the field point, that the pre-test rejects
// is one the plate hit test would reject after a silent diffraction point search.
TEST(QuickRejection, DiffractedLegTestNeverRejectsWhatTheFullStepsKeep) {
    overRoughProfiles(11, [](std::mt19937_64& rng, Strips& s, int k, LegTally& tally) {
        GtdCall& g = s.g;
        const int NPLATE = g.T.NPLATE;
        const int m = 1 + static_cast<int>(rng() % static_cast<unsigned>(NPLATE - 1));
        const int plate = static_cast<int>(rng() % static_cast<unsigned>(NPLATE));
        const Vec3 &Ea = g.edgeA(m), &Eb = g.edgeB(m);
        // The leg's near end by the plate's boundary as seen from the edge, the far end anywhere.
        const Vec3 X = inLineWithEdge(rng, g.T, Ea, plate);
        const Vec3 far = randomPoint(rng, 1.0 / 3);
        const OneEdgeLeg leg =
            std::array{OneEdgeLeg::FromSource, OneEdgeLeg::FromField, OneEdgeLeg::FromEdge}[k % 3];
        const bool fromSource = leg == OneEdgeLeg::FromSource;
        const Vec3 &S = fromSource ? X : far, &P = fromSource ? far : X;
        // Every other leg is taken as the call's own, so that its certificate may take the quick form.
        g.A = S;
        g.P = P;
        g.quiet = k / 3 % 2 ? FindQuietBounds(g) : QuietBounds{};
        const bool skip = diffractedLegSurelyMisses(g, S, P, Ea, Eb, leg, plate);
        s.sink.clear();
        Vec3 D, Q;
        double beta0 = 0;
        VBETA(g, S, P, Ea, Eb, D, beta0);
        const bool hit = fromSource                     ? g.hitAlong(S, unitFromTo(S, D), plate, Q)
                         : leg == OneEdgeLeg::FromField ? g.hitAlong(P, unitFromTo(D, P), plate, Q)
                                                        : g.hitAlong(D, unitFromTo(D, P), plate, Q);
        // The tracer from the edge asks D's side of the plate before the search, at the source's X.
        const Vec3 D0{S.x, D.y, D.z};
        if (g.imageBelow(D0, g.image(D0, plate), plate) != g.imageBelow(D, g.image(D, plate), plate))
            return testing::AssertionFailure() << "the side of the plate depends on X";
        return tally.add(skip, hit, s.sink);
    });
}

// Likewise for the legs of a path over two edges, the second edge as the profile has it or mirrored in
// a plate, as the tracers take them.
TEST(QuickRejection, DoublyDiffractedLegTestNeverRejectsWhatTheFullStepsKeep) {
    overRoughProfiles(13, [](std::mt19937_64& rng, Strips& s, int k, LegTally& tally) {
        GtdCall& g = s.g;
        const int NPLATE = g.T.NPLATE;
        const int m1 = 1 + static_cast<int>(rng() % static_cast<unsigned>(NPLATE - 1));
        const int m2 = 1 + static_cast<int>(rng() % static_cast<unsigned>(NPLATE - 1));
        const int plate = static_cast<int>(rng() % static_cast<unsigned>(NPLATE));
        if (m1 == m2)
            return testing::AssertionSuccess();
        const int mirror = static_cast<int>(rng() % static_cast<unsigned>(2 * NPLATE)) - NPLATE;
        const Vec3 &E1a = g.edgeA(m1), &E1b = g.edgeB(m1);
        const Vec3 E2a = mirror >= 0 ? g.image(g.edgeA(m2), mirror) : g.edgeA(m2);
        const Vec3 E2b = mirror >= 0 ? g.image(g.edgeB(m2), mirror) : g.edgeB(m2);
        const TwoEdgeLeg leg = k % 2 ? TwoEdgeLeg::BetweenEdges : TwoEdgeLeg::ToField;
        const Vec3 S = randomPoint(rng, 1.0 / 3);
        // The field point by the plate's boundary as seen from the second edge.
        const Vec3 P =
            leg == TwoEdgeLeg::ToField ? inLineWithEdge(rng, g.T, E2a, plate) : randomPoint(rng, 1.0 / 3);
        g.A = S;
        g.P = P;
        g.quiet = k / 2 % 2 ? FindQuietBounds(g) : QuietBounds{};
        const bool skip = doublyDiffractedLegSurelyMisses(g, S, P, E1a, E1b, E2a, E2b, leg, plate);
        s.sink.clear();
        Vec3 D1, D2, Q;
        double beta0 = 0;
        V2DIF(g, S, P, E1a, E1b, E2a, E2b, D1, D2, beta0);
        const bool hit = leg == TwoEdgeLeg::BetweenEdges ? g.hitAlong(D1, unitFromTo(D1, D2), plate, Q)
                                                         : g.hitAlong(D2, unitFromTo(D2, P), plate, Q);
        return tally.add(skip, hit, s.sink);
    });
}

// The legs from one source tested together give each edge the verdict the one-leg test gives it, for
// the call's own source and field point and for others, at every trace level.
TEST(QuickRejection, LegsFromOneSourceAgreeWithTheOneLegTest) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> scaleOf(0.2, 1.5);
    long skipped = 0, kept = 0;
    for (int trial = 0; trial < 300; ++trial) {
        Strips s(rng, 12, scaleOf(rng));
        GtdCall& g = s.g;
        const int NPLATE = g.T.NPLATE;
        for (int k = 0; k < 40; ++k) {
            const int plate = static_cast<int>(rng() % static_cast<unsigned>(NPLATE));
            const int m0 = 1 + static_cast<int>(rng() % static_cast<unsigned>(NPLATE - 1));
            const Vec3 S = inLineWithEdge(rng, g.T, g.edgeA(m0), plate);
            const Vec3 P = randomPoint(rng, 1.0 / 3);
            g.A = k % 4 == 0 ? randomPoint(rng, 1.0 / 3) : S;
            g.P = P;
            g.quiet = FindQuietBounds(g);
            g.DEBUG = k % 7 == 0 ? 1 : 0;
            const LegsFromSource legs(g, S, P, plate);
            for (int m = 1; m < NPLATE; ++m) {
                const bool one =
                    diffractedLegSurelyMisses(g, S, P, g.edgeA(m), g.edgeB(m), OneEdgeLeg::FromSource, plate);
                ASSERT_EQ(legs.surelyMisses(m), one) << "trial " << trial << " case " << k << " edge " << m;
                skipped += one;
                kept += !one;
            }
        }
    }
    EXPECT_GT(skipped, 10000);
    EXPECT_GT(kept, 10000);
}

TEST(QuickRejection, TablesThatAreNotStripsGetNoQuickVerdict) {
    PlateTable t;
    t.DRV[0] = {0, 0, 0};
    t.DRV[1] = {100, 0, 0};
    t.DRV[2] = {100, 100, 0};
    t.DRV[3] = {0, 100, 0};
    t.normal[0] = {0, 0, 1};
    t.NPLATE = 1;
    EXPECT_FALSE(isStripAlongX(t, 0));
    EXPECT_FALSE(lineMissesStrip({0, -500, 10}, {0, 0, -1}, t, 0));
}

namespace {

// PROFIL by the exact step over every segment of every cut.
Profile plainProfile(const GroundData& ground, const Vec3& A, const Vec3& P) {
    Profile profile;
    profile.NV = ground.cuts;
    Vec3 n, H = A;
    VECTOR(2, Vec3{0, 0, -1}, P - A, n);
    for (int c = 0; c < ground.cuts; ++c) {
        Vec3& v = profile.v[static_cast<size_t>(c)];
        v = {A.x, ground.node(c, 0).y, 0};
        if (c > 0)
            CrossCut(ground, c, 1, A, n, H, v);
    }
    return profile;
}

} // namespace

TEST(QuickRejection, ProfileIsThePlainScansBitForBit) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 400; ++trial) {
        GroundData g;
        g.cuts = 1 + static_cast<int>(rng() % 30);
        g.nodesPerCut = 1 + static_cast<int>(rng() % (trial % 3 ? 60 : 200));
        const int shape =
            trial % 4; // 0 ascending, 1 with repeats and reversals, 2 lateral shift, 3 on a grid
        for (int c = 0; c < g.cuts; ++c)
            for (int i = 0; i < g.nodesPerCut; ++i) {
                double x = -5000 + 10000.0 * i / std::max(1, g.nodesPerCut - 1);
                if (shape == 1 && u(rng) < 0.2)
                    x = -x;
                if (shape == 2)
                    x += 3000 * std::sin(0.3 * c) + 1e-9 * u(rng);
                const double y = shape == 3 ? 1000.0 * c : 1000.0 * c + 50 * (u(rng) - 0.5);
                g.nodes.push_back({x, y, 300 * (u(rng) - 0.3)});
            }
        GroundData indexed = g;
        IndexGround(indexed);
        for (int k = 0; k < 20; ++k) {
            // Antennas and points on node X values, or a hair beside them, put nodes on the cutting plane
            // or within rounding of it.
            const Vec3& on = g.nodes[rng() % g.nodes.size()];
            const double hair = k % 4 ? 0 : std::pow(10.0, -16 + 8 * u(rng)) * (u(rng) - 0.5);
            const Vec3 A{k % 2 ? on.x * (1 + hair) : 8000 * (u(rng) - 0.5), -1000 * u(rng), 30 * u(rng)};
            const Vec3 P{k % 3 ? on.x : 12000 * (u(rng) - 0.5), 40000 * u(rng), 3000 * u(rng)};
            const Profile plain = plainProfile(g, A, P);
            // Segment by segment, and block by block as a loaded ground file is cut.
            for (const GroundData* ground : {&g, &indexed}) {
                Profile fast;
                PROFIL(*ground, A, P, fast);
                ASSERT_EQ(fast.NV, plain.NV);
                ASSERT_EQ(std::memcmp(&fast.v, &plain.v, sizeof fast.v), 0)
                    << "trial " << trial << " case " << k << (ground == &g ? "" : " indexed");
            }
        }
    }
}

// Blocks of segments passed at once: planes within a hair of a node, touching a cut that bends one way
// there (a plane through it along its tangent) or crossing one that zigzags in Y, the node anywhere in
// a block or at a block's end; planes parallel to every segment of cuts straight in X.
TEST(QuickRejection, ProfileBlocksPassNoSegmentTheExactStepWouldTry) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 3000; ++trial) {
        const bool bends = trial % 2 == 0;
        GroundData g;
        g.cuts = 2 + static_cast<int>(rng() % 4);
        g.nodesPerCut = 2 + static_cast<int>(rng() % 80);
        const double zigzag = 400 * u(rng), step = 10 + 200 * u(rng), bend = 1e-4 * (u(rng) - 0.5);
        for (int c = 0; c < g.cuts; ++c)
            for (int i = 0; i < g.nodesPerCut; ++i) {
                const double x = -5000 + step * i + (trial % 4 == 1 ? 1e-3 * u(rng) : 0);
                const double y = 1000.0 * c + (trial % 7 == 3 ? 0.0
                                               : bends        ? bend * (x - 1000) * (x - 1000)
                                                              : (i % 2 ? zigzag : -zigzag) * u(rng));
                g.nodes.push_back({x, y, 100 * u(rng)});
            }
        IndexGround(g);
        const int c = 1 + static_cast<int>(rng() % (g.cuts - 1));
        const int i = trial % 3 == 0 ? std::min(g.nodesPerCut - 1, static_cast<int>(rng() % 5) * 16)
                                     : static_cast<int>(rng() % g.nodesPerCut);
        const Vec3& N = g.node(c, i);
        // Along the cut's tangent at N, or from an antenna before the cuts.
        const Vec3 A = bends ? Vec3{N.x - 3000, N.y - 3000 * 2 * bend * (N.x - 1000), 30 * u(rng)}
                             : Vec3{2000 * (u(rng) - 0.5), -3000 * u(rng), 30 * u(rng)};
        const double along = 1.5 + 4 * u(rng);
        const double hair = (trial % 5 ? std::pow(10.0, -15 + 11 * u(rng)) : 0) * (u(rng) - 0.5);
        const Vec3 d = N - A;
        Vec3 P{A.x + along * d.x - hair * d.y, A.y + along * d.y + hair * d.x, 500 * u(rng)};
        // A plane along X: parallel to every segment of a cut straight in X.
        if (trial % 7 == 3)
            P.y = A.y;
        Profile fast;
        PROFIL(g, A, P, fast);
        const Profile plain = plainProfile(g, A, P);
        ASSERT_EQ(std::memcmp(&fast.v, &plain.v, sizeof fast.v), 0) << "trial " << trial;
    }
}

namespace {

std::FILE* fileOf(const std::string& text) {
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    return f;
}

// The reader by fscanf alone, for texts whose two counts are valid.
int plainLoad(std::FILE* file, GroundData& ground) {
    int nodes = 0, cuts = 0;
    EXPECT_EQ(std::fscanf(file, "%d %d", &nodes, &cuts), 2);
    ground = GroundData{};
    for (Vec3 v; static_cast<long>(ground.nodes.size()) < static_cast<long>(nodes) * cuts;
         ground.nodes.push_back(v))
        if (std::fscanf(file, "%lf %lf %lf", &v.x, &v.y, &v.z) != 3 ||
            !(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z)))
            return errors::kBadGroundFile;
    return 0;
}

// LoadGround and the reader by fscanf alone give the same result and the same nodes, bit for bit.
void expectReadAsByFscanf(const std::string& text, const std::string& what) {
    std::FILE* a = fileOf(text);
    std::FILE* b = fileOf(text);
    GroundData fast, plain;
    const int rcFast = LoadGround(a, fast), rcPlain = plainLoad(b, plain);
    std::fclose(a);
    std::fclose(b);
    ASSERT_EQ(rcFast, rcPlain) << what;
    ASSERT_EQ(fast.nodes.size(), plain.nodes.size()) << what;
    for (size_t i = 0; i < fast.nodes.size(); ++i)
        ASSERT_EQ(std::memcmp(&fast.nodes[i], &plain.nodes[i], sizeof(Vec3)), 0)
            << what << ", node " << i << ": " << fast.nodes[i].x << " " << plain.nodes[i].x;
}

} // namespace

TEST(QuickRejection, GroundReaderAgreesWithFscanfOnEveryForm) {
    const std::string values[] = {"0",
                                  "-0",
                                  "+5",
                                  ".5",
                                  "5.",
                                  "-.25e-3",
                                  "1e5",
                                  "1E+05",
                                  "1.5e",
                                  "1e+",
                                  "e5",
                                  "1.2.3",
                                  "0x1p3",
                                  "0x",
                                  "1e-400",
                                  "4.9e-324",
                                  "1e400",
                                  "inf",
                                  "-infinity",
                                  "nan",
                                  "1.5,",
                                  "1,5",
                                  "12345678901234567890123456789",
                                  "0.1000000000000000055511151231257827021181583404541015625",
                                  "2.2250738585072011e-308",
                                  "--1",
                                  "+-1",
                                  "1e5x",
                                  "x",
                                  "\v7\f",
                                  std::string("1\0 2", 4),
                                  "99999999999999999999e-20",
                                  "0000123.4500"};
    std::mt19937_64 rng(3);
    for (int trial = 0; trial < 3000; ++trial) {
        const int nodes = 1 + static_cast<int>(rng() % 3), cuts = 1 + static_cast<int>(rng() % 3);
        std::string text = std::to_string(nodes) + (trial % 2 ? "\r\n" : " ") + std::to_string(cuts) + "\n";
        const int count = 3 * nodes * cuts + static_cast<int>(rng() % 3) - 1;
        for (int i = 0; i < count; ++i) {
            // Mostly plain numbers, now and then one of the special forms.
            text += rng() % 6 ? std::to_string(static_cast<double>(rng() % 200000) / 64 - 1000)
                              : values[rng() % std::size(values)];
            text += (rng() % 4 == 0) ? "\r\n" : (rng() % 2 ? "\t" : "  ");
        }
        if (trial % 7 == 0)
            text += std::string("\0tail", 5);
        ASSERT_NO_FATAL_FAILURE(expectReadAsByFscanf(text, text));
    }
}

// Files of several read chunks, so that numbers straddle the chunks' ends, of numbers at the limits of
// the direct conversion (15 digits, powers of ten up to 22) and just past them, and of numbers whose
// rounding is hard; some have one of fscanf's own forms past the first chunk, from which on fscanf reads.
TEST(QuickRejection, GroundReaderAgreesWithFscanfOnLongFilesAndHardRoundings) {
    const char* const hard[] = {"9007199254740993",
                                "9007199254740992.5",
                                "0.1",
                                "2.675",
                                "1.0000000000000002",
                                "123456789012345e-22",
                                "123456789012345e22",
                                "123456789012345e23",
                                "1234567890123456e-22",
                                "999999999999999e-22",
                                "1e22",
                                "1e23",
                                "-1e-22",
                                "1e-23",
                                "5e-324",
                                "2.4703282292062327e-324",
                                "1.7976931348623157e308",
                                "0.30000000000000004",
                                "-0.000",
                                "000000000000000000001.5",
                                "7e0000000000001"};
    const char* const forms[] = {"", "0x1p3", "inf", "1.5,", "1e+", "0x10"};
    std::mt19937_64 rng(11);
    for (int trial = 0; trial < 12; ++trial) {
        const int nodes = 100, cuts = 30;
        std::string text = "  100           30\r\n";
        for (int i = 0; i < 3 * nodes * cuts; ++i) {
            if (i == 2 * nodes * cuts && *forms[trial % std::size(forms)]) {
                text += forms[trial % std::size(forms)];
            } else if (rng() % 5 == 0) {
                text += hard[rng() % std::size(hard)];
            } else {
                // 1 to 19 digits, the point anywhere or nowhere, now and then an exponent.
                const int digits = 1 + static_cast<int>(rng() % 19);
                const int point = static_cast<int>(rng() % (digits + 2));
                if (rng() % 3 == 0)
                    text += rng() % 2 ? "-" : "+";
                for (int d = 0; d < digits; ++d) {
                    if (d == point)
                        text += '.';
                    text += static_cast<char>('0' + rng() % 10);
                }
                if (rng() % 4 == 0)
                    text += "e" + std::to_string(static_cast<int>(rng() % 61) - 30);
            }
            text += rng() % 3 ? "    " : "\r\n";
        }
        ASSERT_NO_FATAL_FAILURE(expectReadAsByFscanf(text, "trial " + std::to_string(trial)));
    }
}
