#include "gtd_edge.h"

#include "engine_constants.h"
#include "gtd_diffcoef.h"
#include "gtd_receiver.h"
#include "gtd_source.h"
#include "text_format.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvd {

namespace {
double acosDeg(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0)) / kRadPerDeg;
}
double fold90(double b) {
    return b > 90 ? 180 - b : b;
}

// Angle (degrees, 0..360) of w about the edge, measured from the face of the plate with normal n.
double faceAngle(const Vec3& w, const Vec3& n) {
    double a = std::atan2(cross(w, n).x, dot(w, n)) / kRadPerDeg;
    return a < 0 ? a + 360 : a;
}
} // namespace

FieldPair EDGCMP(double theta, double phi, const Vec3& Ea, const Vec3& Eb, int sigma, const FieldPair& E) {
    const SphericalFrame f = sphericalFrame(theta, phi);
    const Vec3 &th = f.theta, &r = f.r;
    const Vec3 e = unitFromTo(Ea, Eb);
    Vec3 b;
    if (sigma == -1)
        VECTOR(2, e, r, b);
    else
        VECTOR(2, r, e, b);
    const double c = dot(th, b);
    const double t = sigma * TRIPRD(th, b, r);
    return {c * E.E1 + t * E.E2, -t * E.E1 + c * E.E2};
}

void DIFFLD(GtdCall& g, const Vec3& O, const Vec3& R, const Vec3& S, const Vec3& EaIn, const Vec3& EbIn,
            const Vec3& p, const Vec3& q, double WA, double thO, double phO, FieldPair& E, const Vec3& D,
            double beta0, int& word, int k) {
    Vec3 Ea = EaIn, Eb = EbIn;
    if (Ea.x <= Eb.x)
        std::swap(Ea, Eb);
    if (word != diffld::kIncident)
        E = {};
    const int NPLATE = g.T.NPLATE;
    if (k >= NPLATE)
        return;
    const Vec3 e = unitFromTo(Ea, Eb);

    if (word == diffld::kFirst) {
        word = 5;
        int& seen = g.seen(k);
        if (seen == -1)
            return;
        if (seen == 0) {
            // The edge's visibility from the antenna does not depend on where along the edge the ray
            // meets it (the plates run unchanged across X): test it in the antenna's own X plane, so that
            // the entry is the same whichever field point fills it first.
            const Vec3 Dc{S.x, D.y, D.z};
            if (k >= 2 && g.blocked(Dc, S, 0, k - 2)) {
                seen = -1;
                return;
            }
            seen = 1;
        }
        if (k + 1 < NPLATE && (g.blocked(D, O, k + 1, NPLATE - 1) || (k > 1 && g.blocked(D, O, 0, k - 2))))
            return;
    }

    Vec3 ui;
    double sp = 0, thI = 0, phI = 0;
    RAYDIR(S, D, ui, sp, thI, phI);
    FieldPair inc;
    if (word == diffld::kIncident) {
        sp += length(S - R);
        inc = E;
    } else {
        inc = SRCFLD(g, p, q, thI, phI, sp);
        if (word == 5 && k == 1) {
            inc.E1 /= g.in.F0;
            inc.E2 /= g.in.F0;
        }
    }
    if (g.DEBUG == 1)
        Appendf(g.sink, "  INCIDENT FIELD AT DIFFRACTED POINT               (%f,%f) (%f,%f)\n", inc.E1.real(),
                inc.E1.imag(), inc.E2.real(), inc.E2.imag());
    const FieldPair c = EDGCMP(thI, phI, Ea, Eb, +1, inc);

    const Vec3& nf = g.normal(k - 1);
    const double phip = faceAngle(cross(e, unitFromTo(S, D)), nf);
    if (phip >= 180)
        return;
    const double phi = faceAngle(cross(unitFromTo(D, O), e), nf);
    if (g.DEBUG > 1)
        Appendf(g.sink, "     PHI %18.6fPHIP %18.6fWA %18.6f\n", phi, phip, WA);
    if (phi > 360 - WA)
        return;
    const double s = length(O - D);
    if (g.DEBUG == 1)
        Appendf(g.sink, "     S %18.6fSP %18.6fWA %18.6f\n", s, sp, WA);
    if (!(s > 0) || !(sp > 0) || !(std::sin(beta0 * kRadPerDeg) > 1e-12))
        return;

    double A = 0;
    Complex Ds, Dh;
    DIFCOF(phi, phip, beta0, s, sp, WA, 0, A, 3, Ds, Dh, g.DEBUG, g.sink, OnBoundary::AsTraced);
    if (g.DEBUG == 1) {
        Appendf(g.sink, "  AMPLITUDE ALONG THE DIFF          %20.8f\n", A);
        Appendf(g.sink, "  SOFT DIFFRACTION COEFFICIENT   %20.8f%20.8f", Ds.real(), Ds.imag());
        Appendf(g.sink, "  HARD DIFFRACTION COEFFICIENT   %20.8f%20.8f", Dh.real(), Dh.imag());
    }
    const Complex ph = std::polar(1.0, -kTwoPi * s);
    const FieldPair d{-Dh * A * ph * c.E1, -Ds * A * ph * c.E2};
    E = EDGCMP(thO, phO, Ea, Eb, -1, d);
    word = diffld::kDone;
}

namespace {
// True when the folded angles of v and w to the unit vector e, as foldedAngleGap computes them from
// e . unit(v) and e . unit(w), certainly differ by less than 1e-3 degree; no square roots. With
// a = e . unit(v), b = e . unit(w): |acos|a| - acos|b|| <= 2.23 sqrt(||a| - |b||) radians, so
// ||a| - |b|| <= 5e-12 keeps the gap under 3e-4 degree, and a^2 - b^2 = (|a| - |b|)(|a| + |b|) bounds
// it from the squares, whose rounding (some 1e-15) lies far inside.
bool anglesSurelyAgree(const Vec3& e, const Vec3& v, const Vec3& w) {
    const double ev = dot(e, v), ew = dot(e, w);
    const double vv = dot(v, v), ww = dot(w, w);
    // Lengths far from any geometry's keep the squares clear of underflow and overflow.
    if (!(vv > 1e-200 && vv < 1e200 && ww > 1e-200 && ww < 1e200))
        return false;
    const double a2 = ev * ev / vv, b2 = ew * ew / ww;
    const double d = a2 - b2;
    constexpr double kGap = 5e-12;
    return d * d <= kGap * kGap * std::max(a2, b2);
}

// |fold90(acos a) - fold90(acos b)| in degrees; the arc cosines are only taken when the cosines differ
// enough for the angles to differ by more than 1e-4 degree.
double foldedAngleGap(double a, double b, double& angleA, double& angleB, bool wantAngles) {
    if (!wantAngles && std::fabs(std::fabs(a) - std::fabs(b)) <= 1e-12) {
        angleA = angleB = 0;
        return 0;
    }
    angleA = fold90(acosDeg(a));
    angleB = fold90(acosDeg(b));
    return std::fabs(angleA - angleB);
}
} // namespace

void VBETA(GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& EaIn, const Vec3& EbIn, Vec3& D,
           double& beta0) {
    Vec3 Ea = EaIn, Eb = EbIn;
    if (Eb.x <= Ea.x)
        std::swap(Ea, Eb);
    const double dy = Ea.y - S.y, dz = Ea.z - S.z;
    const double dl = std::sqrt(dy * dy + dz * dz);
    D = {S.x, Ea.y, Ea.z};
    beta0 = 0;
    if (!(dl > 0))
        return; // the source lies on the edge line: no diffraction point
    const double py = P.y - Ea.y, pz = P.z - Ea.z;
    const double rho = std::sqrt(py * py + pz * pz);
    const Vec3 e = unitFromTo(Ea, Eb);
    const Vec3 Q{P.x, Ea.y + rho * dy / dl, Ea.z + rho * dz / dl};
    const Vec3 u = unitFromTo(S, Q);
    const double cb = std::clamp(dot(u, e), -1.0, 1.0);
    const double sb = std::sqrt(1 - cb * cb);
    if (!(sb > 1e-12))
        return;
    // unitFromTo(Ea, S) with its length kept for the distance below.
    const Vec3 w = S - Ea;
    const double lw = length(w);
    const double cg = std::clamp(dot(lw != 0 ? (1.0 / lw) * w : w, u), -1.0, 1.0);
    D.x = Ea.x + std::sqrt(1 - cg * cg) * lw / sb;
    beta0 = fold90(std::acos(cb) / kRadPerDeg);
    if (g.DEBUG == 1)
        Appendf(g.sink, "  DIFFRACTION POINT  %20.8f%20.8f%20.8f\n", D.x, D.y, D.z);
    // The check only speaks on failure (or in the trace): a sure pass needs no arc cosines.
    if (g.DEBUG != 1 && anglesSurelyAgree(e, S - D, P - D))
        return;
    double bS = 0, bP = 0;
    const double gap =
        foldedAngleGap(dot(unitFromTo(D, S), e), dot(unitFromTo(D, P), e), bS, bP, g.DEBUG == 1);
    if (g.DEBUG == 1)
        Appendf(g.sink, "  CHECK BET0  %20.8f%20.8f\n", bP, bS);
    if (gap >= 0.001)
        Appendf(g.sink, "  ERROR FROM SUBROUTINE VBETA, FIND BETA0 ?  %20.8f%20.8f\n", bP, bS);
}

void V2DIF(GtdCall& g, const Vec3& S, const Vec3& P, const Vec3& E1aIn, const Vec3& E1bIn, const Vec3& E2aIn,
           const Vec3& E2bIn, Vec3& D1, Vec3& D2, double& beta0) {
    Vec3 E1a = E1aIn, E1b = E1bIn, E2a = E2aIn, E2b = E2bIn;
    if (E1b.x < E1a.x)
        std::swap(E1a, E1b);
    if (E2b.x < E2a.x)
        std::swap(E2a, E2b);
    if (g.DEBUG == 1)
        Appendf(g.sink, "  ALR1 =%16.7f",
                std::atan2(std::fabs(E1a.z - E2a.z), std::fabs(E1a.y - E2a.y)) / kRadPerDeg);
    Vec3 Su, Pu;
    if (!unfoldOverEdges(S, P, E1a, E2a, Su, Pu)) {
        D1 = {S.x, E1a.y, E1a.z};
        D2 = {P.x, E2a.y, E2a.z};
        beta0 = 0;
        return;
    }
    double b1 = 0;
    VBETA(g, Su, Pu, E1a, E1b, D1, b1);
    VBETA(g, Su, Pu, E2a, E2b, D2, beta0);
    if (b1 == 0)
        beta0 = 0;
    const Vec3 e = unitFromTo(E1b, E1a);
    if (g.DEBUG != 1 && anglesSurelyAgree(e, D1 - S, D2 - P))
        return;
    double c1 = 0, c2 = 0;
    const double gap =
        foldedAngleGap(dot(e, unitFromTo(S, D1)), dot(e, unitFromTo(P, D2)), c1, c2, g.DEBUG == 1);
    if (g.DEBUG == 1)
        Appendf(g.sink, "  CHECK 2-DIF BETA = %20.10f%20.10f\n", c1, c2);
    if (gap > 0.001)
        Appendf(g.sink, "  ERROR FROM SUBROUTINE V2DIF, FIND BETA0 ? %20.10f\n", c1);
}

bool unfoldOverEdges(const Vec3& S, const Vec3& P, const Vec3& E1, const Vec3& E2, Vec3& Su, Vec3& Pu) {
    const double dy = E1.y - E2.y, dz = E1.z - E2.z;
    const double dl = std::sqrt(dy * dy + dz * dz);
    if (!(dl > 0))
        return false;
    const double rS = std::sqrt((S.y - E1.y) * (S.y - E1.y) + (S.z - E1.z) * (S.z - E1.z));
    const double rP = std::sqrt((P.y - E2.y) * (P.y - E2.y) + (P.z - E2.z) * (P.z - E2.z));
    Su = {S.x, E1.y + rS * dy / dl, E1.z + rS * dz / dl};
    Pu = {P.x, E2.y - rP * dy / dl, E2.z - rP * dz / dl};
    return true;
}

int DDPNT(GtdCall& g, const Vec3& Pa, const Vec3& Pb, int i1, int i2) {
    const Vec3 X{1000, 0, 0};
    Vec3 n = cross(Pb - (Pa + X), Pa - (Pb + X));
    if (n.z > 0)
        n = -n;
    for (int m = 2 * i1 + 1; m <= 2 * i2 + 3; m += 2) {
        const Vec3& V = g.T.DRV[static_cast<size_t>(m)];
        Vec3 Vi;
        IMGPNT(V, Pa, n, Vi);
        const double t = dot(Vi - V, n);
        if (g.DEBUG == 1) {
            Appendf(g.sink, " I11,I22   %10d%10d\n", 2 * i1 + 2, 2 * i2 + 4);
            for (const Vec3* w : {&Pa, &Pb, static_cast<const Vec3*>(&n), &V, static_cast<const Vec3*>(&Vi)})
                Appendf(g.sink, "  %20.10f%20.10f%20.10f\n", w->x, w->y, w->z);
            Appendf(g.sink, "  P3(1)%20.10f\n", t);
        }
        if (t >= 0)
            return 1;
    }
    return -1;
}

} // namespace kelvd
