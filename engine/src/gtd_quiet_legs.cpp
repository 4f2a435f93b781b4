#include "gtd_quiet_legs.h"

#include "engine_constants.h"
#include "gtd_edge.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvd {

namespace {
// The bound of the angle gap a certified search may leave: a hundred times below the checks' 0.001
// degree.
constexpr double kGapLimit = 0.01 * 0.001 * kRadPerDeg;
// Each rounding error below is taken as 64 units of the last place.
constexpr double kErr = 64 * 0x1p-53;

double largestCoordinate(std::initializer_list<Vec3> points) {
    double L = 0;
    for (const Vec3& p : points)
        L = std::max({L, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    return L;
}

// Whether the line from B towards the Y-Z position of T surely misses the strip plate, B's X being of
// size B.x at most, when the ray makes the angle q tells with the edges and the X length of the leg errs
// by up to e. Over a Y-Z length w the leg's X length is at most w cot(beta) + e, so its unit vector's
// Y-Z part has a square of at least w^2 / (2 (w^2 / sin^2(beta) + e^2)); half of that again leaves room
// for the rounding of w.
bool legMisses(const YzStripFrom& strip, const Vec3& B, const Vec3& T, const QuietSearch& q, double e) {
    const double dy = T.y - B.y, dz = T.z - B.z;
    const double w2 = dy * dy + dz * dz;
    const double minSin2 = 0.25 * w2 / (w2 * q.invSinBeta2 + e * e);
    return strip.misses(dy, dz, minSin2);
}

bool legMisses(const GtdCall& g, const Vec3& B, const Vec3& T, const QuietSearch& q, double e, int plate) {
    return legMisses(YzStripFrom(B, g.T, plate), B, T, q, e);
}

// Whether the edge runs along X between the ends the bounds were found for.
bool edgeOfTheCall(const QuietBounds& b, const Vec3& Ea, const Vec3& Eb) {
    return Ea.y == Eb.y && Ea.z == Eb.z && std::min(Ea.x, Eb.x) == b.xLo && std::max(Ea.x, Eb.x) == b.xHi;
}

// The largest of the call's X sizes and of S's and P's Y and Z.
double sizeOfPair(const QuietBounds& b, const Vec3& S, const Vec3& P) {
    return std::max({b.Lx, std::fabs(S.y), std::fabs(S.z), std::fabs(P.y), std::fabs(P.z)});
}

// vbetaQuicklyQuiet past its checks of X, for an edge at E (Y-Z) and the pair's size Lsp.
bool quietOverEdge(const QuietBounds& b, double Lsp, const Vec3& S, const Vec3& P, const Vec3& E,
                   QuietSearch& q);
} // namespace

bool vbetaSurelyQuiet(const Vec3& S, const Vec3& P, const Vec3& EaIn, const Vec3& EbIn, QuietSearch& q) {
    // With the edge along X at E, S and P at distances dl and rho from it, h = dl + rho and
    // t = (P.x - S.x) / h, the exact point is D* = S.x + dl t, where both checked angles equal beta0
    // (sin^2 beta0 = h^2 / (h^2 + (P.x - S.x)^2)). VBETA's D.x = Ea.x + sin(gamma) |S - Ea| / sin(beta0)
    // is Ea.x + |ax + dl t|, ax = S.x - Ea.x: D* only while cr = h (ax + dl t) > 0; past the edge's
    // first end the check fails. Its rounding, for coordinates of size L: the direction of Q - S
    // (|Q - S| >= h) errs by some eps L / h; sin(beta0) and sin(gamma), roots of 1 - cos^2, err relatively
    // by eps / sin^2 and that error over sin; D.x so by (|ax| + dl) / sin(beta0) times their sum, plus
    // eps L; the checked angles differ by the error of D.x over dl and over rho, plus the check's own
    // eps L / (min(dl, rho) sin(beta0)). Below, 1 / sin is bounded by 1 / sin^2, and each of the gap's
    // three terms must stay under a third of the limit; the tests are multiplied out, and the sizes
    // kept where neither side can overflow or underflow.
    Vec3 Ea = EaIn, Eb = EbIn;
    if (Eb.x <= Ea.x)
        std::swap(Ea, Eb);
    if (!(Ea.y == Eb.y && Ea.z == Eb.z && Ea.x < Eb.x))
        return false;
    const double dy = Ea.y - S.y, dz = Ea.z - S.z, py = P.y - Ea.y, pz = P.z - Ea.z;
    const double dl = std::sqrt(dy * dy + dz * dz), rho = std::sqrt(py * py + pz * pz);
    const double L = largestCoordinate({S, P, Ea, Eb});
    if (!(L > 1e-20 && L < 1e25 && dl > 1e-9 * L && rho > 1e-9 * L))
        return false;
    const double h = dl + rho, px = P.x - S.x, ax = S.x - Ea.x;
    const double cr = ax * h + dl * px;
    if (!(cr > 0))
        return false;
    const double invSinB2 = (px * px + h * h) / (h * h);
    const double cr2 = cr * cr;
    // gap = errD (1 / dl + 1 / rho) + kErr L invSinB2 / min(dl, rho), with errD = (|ax| + dl) invSinB2 rel
    // + kErr L and rel = kErr invSinB2 (1 + |S - Ea|^2 h^2 / cr^2) (1 + L / h).
    constexpr double kTerm = kGapLimit / (3 * kErr);
    const double m = std::min(dl, rho);
    const bool quiet =
        (std::fabs(ax) + dl) * invSinB2 * invSinB2 * (cr2 + (ax * ax + dl * dl) * h * h) * (h + L) <
            kTerm * cr2 * dl * rho &&
        L * h < kTerm * dl * rho && L * invSinB2 < kTerm * m;
    // The first two terms bound errD by the limit times dl rho / h.
    q = {invSinB2, kGapLimit * m};
    return quiet;
}

QuietBounds QuietBoundsFor(double Sx, double Px, double xLo, double xHi) {
    QuietBounds b;
    b.Sx = Sx;
    b.Px = Px;
    b.xLo = xLo;
    b.xHi = xHi;
    b.Lx = std::max({std::fabs(xLo), std::fabs(xHi), std::fabs(Sx), std::fabs(Px)});
    b.ax = Sx - xLo;
    b.px2 = (Px - Sx) * (Px - Sx);
    const double m0 = std::min(Sx, Px) - xLo;
    b.valid = xLo < xHi && b.Lx > 1e-3 && b.Lx < 1e12 && m0 > 1e-9 * b.Lx;
    b.invM02 = b.valid ? 1 / (m0 * m0) : 0;
    return b;
}

QuietBounds FindQuietBounds(const GtdCall& g) {
    if (g.T.NPLATE < 2)
        return {};
    const QuietBounds b = QuietBoundsFor(g.A.x, g.P.x, std::min(g.edgeA(1).x, g.edgeB(1).x),
                                         std::max(g.edgeA(1).x, g.edgeB(1).x));
    for (int k = 1; k < g.T.NPLATE; ++k)
        if (!edgeOfTheCall(b, g.edgeA(k), g.edgeB(k)))
            return {};
    return b;
}

bool vbetaQuicklyQuiet(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb,
                       QuietSearch& q) {
    return b.valid && S.x == b.Sx && P.x == b.Px && edgeOfTheCall(b, Ea, Eb) &&
           quietOverEdge(b, sizeOfPair(b, S, P), S, P, Ea, q);
}

namespace {
// The quick form's test for one search, from S at Y-Z distance dl (dl2 = dl^2 or less, Dm >= dl) of the
// edge and P at rho (rho2, Rm), coordinates of size L at most. vbetaSurelyQuiet's test in a stronger
// form that needs no root: D* is a mean of S.x and P.x, so cr >= h m0 with m0 = min(S.x, P.x) - Ea.x;
// h <= Dm + Rm; h^2 >= dl^2 + rho^2, so I <= 2 once that is at least px^2. Then its three terms hold when
// (|ax| + dl) 4 (1 + (ax^2 + dl^2) / m0^2) (h + L), L h and 2 L stay under K dl rho, K dl rho and
// K min(dl, rho), all tested squared.
bool quietTerms(const QuietBounds& b, double L, double dl2, double rho2, double Dm, double Rm,
                QuietSearch& q) {
    if (!(L < 1e12 && b.px2 <= dl2 + rho2))
        return false;
    const double Hm = Dm + Rm;
    constexpr double K = kGapLimit / (3 * kErr);
    const double bound = K * K * dl2 * rho2;
    const double t1 = (std::fabs(b.ax) + Dm) * 4 * (1 + (b.ax * b.ax + Dm * Dm) * b.invM02) * (Hm + L);
    if (!(t1 * t1 < bound && (L * Hm) * (L * Hm) < bound && 4 * L * L < K * K * std::min(dl2, rho2)))
        return false;
    q = {2, kGapLimit * std::min(Dm, Rm)};
    return true;
}

bool quietOverEdge(const QuietBounds& b, double Lsp, const Vec3& S, const Vec3& P, const Vec3& E,
                   QuietSearch& q) {
    const double dy = E.y - S.y, dz = E.z - S.z, py = P.y - E.y, pz = P.z - E.z;
    return quietTerms(b, std::max({Lsp, std::fabs(E.y), std::fabs(E.z)}), dy * dy + dz * dz,
                      py * py + pz * pz, std::fabs(dy) + std::fabs(dz), std::fabs(py) + std::fabs(pz), q);
}

// The quick form for V2DIF's two searches, without the unfolding: S' lies at S's distance rS from edge
// 1, on the line from edge 2 through edge 1 (d12 apart), and P' at rP beyond edge 2, so the searches'
// distances are rS and d12 + rP over edge 1, rS + d12 and rP over edge 2, and each coordinate of S' or
// P' is within max(rS, rP) of an edge's. Squares of sums are bounded below by the sums of squares; the
// unfolding's own rounding, relatively some eps, lies inside the test's margin.
bool quietOverTwoEdges(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& E1, const Vec3& E2,
                       QuietSearch& q) {
    const double ey = E1.y - E2.y, ez = E1.z - E2.z, sy = S.y - E1.y, sz = S.z - E1.z;
    const double py = P.y - E2.y, pz = P.z - E2.z;
    const double d2 = ey * ey + ez * ez, rS2 = sy * sy + sz * sz, rP2 = py * py + pz * pz;
    const double D12 = std::fabs(ey) + std::fabs(ez), DS = std::fabs(sy) + std::fabs(sz);
    const double DP = std::fabs(py) + std::fabs(pz);
    const double L = std::max({b.Lx, std::fabs(E1.y), std::fabs(E1.z), std::fabs(E2.y), std::fabs(E2.z)}) +
                     std::max(DS, DP);
    QuietSearch q1, q2;
    if (!(d2 > 0) || !quietTerms(b, L, rS2, d2 + rP2, DS, D12 + DP, q1) ||
        !quietTerms(b, L, rS2 + d2, rP2, DS + D12, DP, q2))
        return false;
    q = {2, std::max(q1.errX, q2.errX)};
    return true;
}

bool searchQuiet(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb,
                 QuietSearch& q) {
    return vbetaQuicklyQuiet(b, S, P, Ea, Eb, q) || vbetaSurelyQuiet(S, P, Ea, Eb, q);
}
} // namespace

bool v2difSurelyQuiet(const QuietBounds& b, const Vec3& S, const Vec3& P, const Vec3& E1a, const Vec3& E1b,
                      const Vec3& E2a, const Vec3& E2b, QuietSearch& q) {
    if (b.valid && S.x == b.Sx && P.x == b.Px && edgeOfTheCall(b, E1a, E1b) && edgeOfTheCall(b, E2a, E2b) &&
        quietOverTwoEdges(b, S, P, E1a, E2a, q))
        return true;
    // Both searches run on the unfolded S' and P', along one straight line over both edges; V2DIF's check
    // takes the angles of D1 - S and D2 - P, which differ from those of D1 - S' and D2 - P' by the
    // rounding of the unfolding, some eps L / dl: inside the searches' own last terms. So its gap is at
    // most twice the sum of theirs, still far below the check's.
    Vec3 Su, Pu;
    QuietSearch q1, q2;
    if (!unfoldOverEdges(S, P, E1a, E2a, Su, Pu) || !searchQuiet(b, Su, Pu, E1a, E1b, q1) ||
        !searchQuiet(b, Su, Pu, E2a, E2b, q2))
        return false;
    q = {std::max(q1.invSinBeta2, q2.invSinBeta2), std::max(q1.errX, q2.errX)};
    return true;
}

bool diffractedLegSurelyMisses(const GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& Ea, const Vec3& Eb,
                               OneEdgeLeg leg, int plate) {
    QuietSearch q;
    if (g.DEBUG == 1 || !searchQuiet(g.quiet, S, P, Ea, Eb, q))
        return false;
    switch (leg) {
    case OneEdgeLeg::FromSource:
        return legMisses(g, S, Ea, q, q.errX, plate);
    case OneEdgeLeg::FromField:
        return legMisses(g, P, Ea, q, q.errX, plate);
    case OneEdgeLeg::FromEdge:
        break;
    }
    // D lies between S.x and P.x, within errX of its exact place.
    return legMisses(g, {std::max(std::fabs(S.x), std::fabs(P.x)) + q.errX, Ea.y, Ea.z}, P, q, q.errX, plate);
}

bool doublyDiffractedLegSurelyMisses(const GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& E1a,
                                     const Vec3& E1b, const Vec3& E2a, const Vec3& E2b, TwoEdgeLeg leg,
                                     int plate) {
    QuietSearch q;
    if (g.DEBUG == 1 || !v2difSurelyQuiet(g.quiet, S, P, E1a, E1b, E2a, E2b, q))
        return false;
    // D1 and D2 lie between S.x and P.x, each within errX of its exact place.
    const double xReach = std::max(std::fabs(S.x), std::fabs(P.x)) + q.errX;
    if (leg == TwoEdgeLeg::BetweenEdges)
        return legMisses(g, {xReach, E1a.y, E1a.z}, E2a, q, 2 * q.errX, plate);
    return legMisses(g, {xReach, E2a.y, E2a.z}, P, q, q.errX, plate);
}

LegsFromSource::LegsFromSource(const GtdCall& g, const Vec3& S, const Vec3& P, int plate)
    : g_(g), S_(S), P_(P), plate_(plate),
      quick_(g.DEBUG != 1 && g.quiet.valid && S.x == g.quiet.Sx && P.x == g.quiet.Px),
      size_(sizeOfPair(g.quiet, S, P)), strip_(S, g.T, plate) {}

bool LegsFromSource::surelyMisses(int m) const {
    const Vec3 &Ea = g_.edgeA(m), &Eb = g_.edgeB(m);
    QuietSearch q;
    if (quick_ && edgeOfTheCall(g_.quiet, Ea, Eb) && quietOverEdge(g_.quiet, size_, S_, P_, Ea, q))
        return legMisses(strip_, S_, Ea, q, q.errX);
    return diffractedLegSurelyMisses(g_, S_, P_, Ea, Eb, OneEdgeLeg::FromSource, plate_);
}

} // namespace kelvd
