#include "gtd_shadowed_legs.h"

#include "gtd_quiet_legs.h"

#include <algorithm>
#include <cmath>

namespace kelvd {

namespace {
// A verdict must clear the rounding of the tests it stands for by this margin, relative to the size of
// the coordinates: some thousands of times that rounding, as the plate tests' quick rejections take it.
constexpr double kMargin = 1e-12;
// Coordinates beyond this size could overflow the squares below: no verdict there.
constexpr double kLargest = 1e25;

double sumAbsYZ(const Vec3& v) {
    return std::fabs(v.y) + std::fabs(v.z);
}

// The path between two profile edges as a V2DIF that writes nothing leaves it: its points D1, D2 lie at
// the edges' Y-Z positions exactly (E1, E2, Y-Z step dy, dz), their X no larger than xReach, and
// |D2 - D1|^2 under len2 / 4; w2 (the step's square), xReach and len2 are set once the search is
// certified.
struct EdgePath {
    Vec3 E1, E2;
    double dy = 0, dz = 0, w2 = 0;
    double xReach = 0, len2 = 0;
};

EdgePath pathOver(const GtdCall& g, int e1, int e2) {
    EdgePath p;
    p.E1 = g.edgeA(e1);
    p.E2 = g.edgeA(e2);
    p.dy = p.E2.y - p.E1.y;
    p.dz = p.E2.z - p.E1.z;
    return p;
}

bool certify(const GtdCall& g, const Vec3& S, const Vec3& P, int e1, int e2, EdgePath& p) {
    QuietSearch q;
    if (!v2difSurelyQuiet(g.quiet, S, P, g.edgeA(e1), g.edgeB(e1), g.edgeA(e2), g.edgeB(e2), q))
        return false;
    // The exact points lie with X between S.x and P.x on one line at the angle beta to X, so
    // |D2.x - D1.x| <= w cot(beta) + 2 errX and |D2 - D1|^2 <= 2 (w^2 / sin^2(beta) + 4 errX^2); the
    // factor 2 more covers the rounding of the bound.
    p.w2 = p.dy * p.dy + p.dz * p.dz;
    p.xReach = std::max(std::fabs(S.x), std::fabs(P.x)) + q.errX;
    p.len2 = 4 * (p.w2 * q.invSinBeta2 + 4 * q.errX * q.errX);
    return true;
}

// The Y-Z cross product of the path's step with V - E1: its sign times dy's tells whether V lies above
// the path's line.
double heightTimesStep(const EdgePath& p, const Vec3& V) {
    return p.dy * (V.z - p.E1.z) - p.dz * (V.y - p.E1.y);
}

// Whether profile point V lies above the path's line, clear of the rounding of RRSHAD's test (the line's
// height at V.y) and of DDPNT's (the side of a plane whose normal comes from the path and a step of
// 1000 along X, and so errs relatively by some eps (1 + (|D1.x| + |D2.x|) / 1000)). The last term keeps
// DDPNT's mirror image of V from vanishing in the rounding of V's coordinates.
bool surelyAbove(const EdgePath& p, const Vec3& V) {
    const double vy = V.y - p.E1.y, vz = V.z - p.E1.z;
    const double h = heightTimesStep(p, V);
    const double size = sumAbsYZ(p.E1) + sumAbsYZ(p.E2) + sumAbsYZ(V) + std::fabs(vy) + std::fabs(vz);
    if (!(size > 1e-20 && size < kLargest && p.w2 > 1e-18 * size * size))
        return false;
    return h * p.dy > 0 &&
           std::fabs(h) > kMargin * (2 + p.xReach / 500) * (std::fabs(p.dy) + std::fabs(p.dz)) * size &&
           h * h * p.w2 > kMargin * kMargin * size * size;
}

// The Y-Z cross products that place the path and strip plate L about each other: s0, s1 of the path's
// step with the plate's ends, r0, r1 of the plate's step with the path's ends.
struct Crossing {
    double s0, s1, r0, r1;
    bool crosses() const { return s0 * s1 < 0 && r0 * r1 < 0; }
};

Crossing crossingOf(const PlateTable& T, int L, const EdgePath& p) {
    const Vec3 &A0 = T.DRV[static_cast<size_t>(2 * L)], &A1 = T.DRV[static_cast<size_t>(2 * L + 2)];
    const double ly = A1.y - A0.y, lz = A1.z - A0.z;
    return {heightTimesStep(p, A0), heightTimesStep(p, A1), ly * (p.E1.z - A0.z) - lz * (p.E1.y - A0.y),
            ly * (p.E2.z - A0.z) - lz * (p.E2.y - A0.y)};
}

// Whether the path surely crosses strip plate L inside it, so that VLOGI1's exact test finds the plate
// blocking. REFPNT's point errs by some eps size / |u . n| (u the path's unit vector, n the plate's
// normal); it must lie farther than that from the plate's ends (the distance along the plate is at least
// |s| / w), from the path's ends (at least |r| over the plate's length), and from the strip's X ends.
// The tests are squared and multiplied out: (u . n)^2 is at least cn^2 / len2.
bool surelyCrosses(const PlateTable& T, int L, const EdgePath& p) {
    if (!T.alongX[static_cast<size_t>(L)])
        return false;
    const Crossing c = crossingOf(T, L, p);
    const Vec3 &A0 = T.DRV[static_cast<size_t>(2 * L)], &A1 = T.DRV[static_cast<size_t>(2 * L + 2)];
    const Vec3& n = T.normal[static_cast<size_t>(L)];
    const double halfWidth = std::fabs(A0.x);
    const double size =
        2 * p.xReach + sumAbsYZ(p.E1) + sumAbsYZ(p.E2) + sumAbsYZ(A0) + sumAbsYZ(A1) + 2 * halfWidth;
    // PLNINT takes the line as parallel below kParallelLimit.
    const double cn = p.dy * n.y + p.dz * n.z, cn2 = cn * cn;
    constexpr double kLeastSn = 2 * geometry::kParallelLimit;
    if (!(c.crosses() && size < kLargest && cn2 > kLeastSn * kLeastSn * p.len2))
        return false;
    // The square of the margin kMargin size / |u . n| is at most margin2 / cn2.
    const double margin2 = kMargin * kMargin * size * size * p.len2;
    const double s = std::min(std::fabs(c.s0), std::fabs(c.s1)),
                 r = std::min(std::fabs(c.r0), std::fabs(c.r1));
    const double plate2 = (A1.y - A0.y) * (A1.y - A0.y) + (A1.z - A0.z) * (A1.z - A0.z);
    const double xClear = halfWidth - p.xReach;
    return s * s * cn2 > p.w2 * margin2 && r * r * cn2 > plate2 * margin2 && xClear > 0 &&
           xClear * xClear * cn2 > margin2;
}
} // namespace

bool edgeToEdgeSurelyShadowed(const GtdCall& g, const Vec3& S, const Vec3& P, int k, int m) {
    if (g.DEBUG == 1)
        return false;
    EdgePath p = pathOver(g, k, m);
    if (m - k == 2) {
        // RRSHAD: the path's line under the edge between, and not parallel to the plane y = const.
        const Vec3& V = g.edgeA(k + 1);
        constexpr double kLeastSn = 2 * geometry::kParallelLimit;
        return heightTimesStep(p, V) * p.dy > 0 && certify(g, S, P, k, m, p) &&
               p.dy * p.dy > kLeastSn * kLeastSn * p.len2 && surelyAbove(p, V);
    }
    // The certificate is asked only once a plate between crosses the path's line in Y-Z; the plates
    // share their ends, and so the sides of the line they lie on.
    int L = k + 1;
    for (double s0 = heightTimesStep(p, g.T.DRV[static_cast<size_t>(2 * L)]); L <= m - 2; ++L) {
        const double s1 = heightTimesStep(p, g.T.DRV[static_cast<size_t>(2 * L + 2)]);
        if (s0 * s1 < 0 && g.T.alongX[static_cast<size_t>(L)] && crossingOf(g.T, L, p).crosses())
            break;
        s0 = s1;
    }
    if (L > m - 2 || !certify(g, S, P, k, m, p))
        return false;
    for (; L <= m - 2; ++L)
        if (surelyCrosses(g.T, L, p))
            return true;
    return false;
}

bool edgeToEdgeSurelyOvertopped(const GtdCall& g, const Vec3& S, const Vec3& P, int m, int q) {
    if (g.DEBUG == 1)
        return false;
    EdgePath p = pathOver(g, m, q);
    int j = m + 1;
    while (j < q && !(heightTimesStep(p, g.edgeA(j)) * p.dy > 0))
        ++j;
    if (j == q || !certify(g, S, P, m, q, p))
        return false;
    for (; j < q; ++j)
        if (surelyAbove(p, g.edgeA(j)))
            return true;
    return false;
}

} // namespace kelvd
