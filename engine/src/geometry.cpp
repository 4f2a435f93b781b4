#include "geometry.h"

#include "engine_constants.h"
#include "text_format.h"

#include <algorithm>

namespace kelvd {

namespace {
// A rejection must hold against the rounding of the exact tests: this relative margin (times the size of
// the coordinates, and over the sine of the line's angle to the plate) is some hundred times the bound
// of that rounding.
constexpr double kRejectMargin = 1e-12;

double sumAbs(const Vec3& v) {
    return std::fabs(v.x) + std::fabs(v.y) + std::fabs(v.z);
}

// Whether the values a and b (for a line meeting a plane, sn the sine of its angle to it) both lie on
// one side of zero, clear of the rounding of coordinates of size scale.
bool clearlyOneSide(double a, double b, double sn, double scale) {
    // Coordinates far beyond any terrain's would let the exact tests overflow: no verdict there.
    return scale < 1e100 && a * b > 0 &&
           std::min(std::fabs(a), std::fabs(b)) * sn > kRejectMargin * scale * (1 + sn);
}
} // namespace

bool isStripAlongX(const PlateTable& T, int L) {
    const Vec3 &a = T.DRV[static_cast<size_t>(2 * L)], &b = T.DRV[static_cast<size_t>(2 * L + 1)];
    const Vec3 &c = T.DRV[static_cast<size_t>(2 * L + 2)], &d = T.DRV[static_cast<size_t>(2 * L + 3)];
    return a.y == b.y && a.z == b.z && c.y == d.y && c.z == d.z && a.x != 0 && a.x == -b.x && c.x == -d.x &&
           a.x == -c.x && T.normal[static_cast<size_t>(L)].x == 0;
}

bool lineMissesStrip(const Vec3& P, const Vec3& s, const PlateTable& T, int L) {
    if (!T.alongX[static_cast<size_t>(L)])
        return false;
    const double ss = dot(s, s);
    if (!(ss > 0.5 && ss < 2))
        return false;
    const Vec3& p0 = T.DRV[static_cast<size_t>(2 * L)];
    const Vec3& p1 = T.DRV[static_cast<size_t>(2 * L + 2)];
    const double c0 = s.y * (p0.z - P.z) - s.z * (p0.y - P.y);
    const double c1 = s.y * (p1.z - P.z) - s.z * (p1.y - P.y);
    const double sn = std::fabs(dot(s, T.normal[static_cast<size_t>(L)]));
    return clearlyOneSide(c0, c1, sn, sumAbs(P) + sumAbs(p0) + sumAbs(p1));
}

YzStripFrom::YzStripFrom(const Vec3& P, const PlateTable& T, int L)
    : strip_(T.alongX[static_cast<size_t>(L)]) {
    const Vec3& p0 = T.DRV[static_cast<size_t>(2 * L)];
    const Vec3& p1 = T.DRV[static_cast<size_t>(2 * L + 2)];
    const Vec3& n = T.normal[static_cast<size_t>(L)];
    y0_ = p0.y - P.y;
    z0_ = p0.z - P.z;
    y1_ = p1.y - P.y;
    z1_ = p1.z - P.z;
    ny_ = n.y;
    nz_ = n.z;
    scale_ = sumAbs(P) + sumAbs(p0) + sumAbs(p1);
}

bool YzStripFrom::misses(double dy, double dz, double minSin2) const {
    if (!strip_)
        return false;
    const double c0 = dy * z0_ - dz * y0_;
    const double c1 = dy * z1_ - dz * y1_;
    const double nn = std::fabs(dy * ny_ + dz * nz_);
    const double dd = dy * dy + dz * dz;
    // s = k (0, dy, dz) plus an X part, k^2 dd >= minSin2, gives lineMissesStrip's c0, c1 and sn as k c0,
    // k c1 and k nn; with sn <= 1, min |k c| k nn > 2 margin scale is enough, and the factor 2 more
    // covers the rounding of c0, c1 and nn here.
    return scale_ < 1e100 && c0 * c1 > 0 &&
           std::min(std::fabs(c0), std::fabs(c1)) * nn * minSin2 > 4 * kRejectMargin * scale_ * dd;
}

void VECTOR(int code, const Vec3& a, const Vec3& b, Vec3& out) {
    switch (code) {
    case 1:
        out = cross(a, b);
        break;
    case 2: {
        const Vec3 c = cross(a, b);
        const double len = length(c);
        out = len != 0 ? (1.0 / len) * c : c;
        break;
    }
    case 3: {
        const Vec3 d = b - a;
        const double len = length(d);
        out = len != 0 ? (1.0 / len) * d : d;
        break;
    }
    case 4:
        out = {dot(a, b), 0, 0};
        break;
    case 5: {
        const double len = length(b);
        const double d = dot(a, b);
        out = {len != 0 ? d / len : d, 0, 0};
        break;
    }
    case 6:
        out = b - a;
        break;
    default:
        break;
    }
}

double ATAN2S(double y, double x) {
    return (y == 0 && x == 0) ? 0.0 : std::atan2(y, x);
}

void RAYDIR(const Vec3& A, const Vec3& B, Vec3& u, double& dist, double& theta, double& phi) {
    const Vec3 d = B - A;
    VECTOR(3, A, B, u);
    dist = length(d);
    theta = ATAN2S(std::sqrt(d.x * d.x + d.y * d.y), d.z) / kRadPerDeg;
    if (d.x == 0)
        phi = d.y >= 0 ? 90.0 : -90.0;
    else
        phi = ATAN2S(d.y, d.x) / kRadPerDeg;
}

void PLNINT(const Vec3& P0, const Vec3& n, const Vec3& Q, const Vec3& s, Vec3& R, int& parallel) {
    parallel = 1;
    const double sn = dot(s, n);
    if (std::fabs(sn) >= geometry::kParallelLimit) {
        const Vec3 w = Q - P0;
        R = Q - (dot(w, n) / sn) * s;
        parallel = 0;
    }
}

void IMGPNT(const Vec3& P, const Vec3& Q, const Vec3& n, Vec3& R) {
    R = P - (2.0 * dot(P - Q, n)) * n;
}

double TRIPRD(const Vec3& a, const Vec3& b, const Vec3& c) {
    return dot(cross(a, b), c);
}

void REFPNT(const Vec3& P, const PlateTable& T, int& L, int mode, Vec3& R, const Vec3& s, int& flag,
            const Vec3& G) {
    R = {0, 0, 0};
    const Vec3& Q = T.DRV[2 * L + 3];
    const Vec3& m = T.normal[L];
    // Odd plates run their vertices the other way round: the inside test needs the flipped normal.
    const Vec3 n = (L % 2 != 0) ? -m : m;
    int parallel = 0;
    if (mode == 1) {
        PLNINT(Q, m, P, s, R, parallel);
        if (parallel) {
            flag = 1;
            L = 1;
            return;
        }
    } else {
        Vec3 Pi;
        IMGPNT(P, Q, m, Pi);
        if (dot(Pi - P, m) <= 0) {
            flag = -1;
            L = 1;
            return;
        }
        Vec3 w;
        VECTOR(3, Pi, G, w);
        PLNINT(Q, m, Pi, w, R, parallel);
        if (parallel) {
            flag = -1;
            L = 1;
            return;
        }
    }
    for (int k = 1; k <= 4; ++k) {
        const Vec3& p = T.DRV[2 * L + k - 1];
        const Vec3& q = T.DRV[k == 4 ? 2 * L : 2 * L + k];
        if (TRIPRD(q - p, R - p, n) <= 0) {
            flag = -1;
            L = 0;
            return;
        }
    }
    flag = 1;
    L = 0;
}

void VLOGI1(const Vec3& P1, const Vec3& P2, const PlateTable& T, int LSTART, int LSTOP, int& blocked,
            std::string& sink) {
    blocked = -1;
    if (LSTART >= T.NPLATE || LSTOP >= T.NPLATE || LSTART < 0) {
        Appendf(sink, "   ERROR FROM VLOGI1, LSTART =%10d LSTOP =%10d\n\n", LSTART + 1, LSTOP + 1);
        return;
    }
    Vec3 u;
    VECTOR(3, P1, P2, u);
    const double scale = sumAbs(P1) + sumAbs(P2);
    for (int L = LSTART; L <= LSTOP; ++L) {
        // A strip that the line misses, or whose plane has both ends of the segment on one side, cannot
        // block it.
        if (lineMissesStrip(P1, u, T, L))
            continue;
        if (T.alongX[static_cast<size_t>(L)]) {
            const Vec3& m = T.normal[static_cast<size_t>(L)];
            const Vec3& Q = T.DRV[static_cast<size_t>(2 * L + 3)];
            if (clearlyOneSide(dot(P1 - Q, m), dot(P2 - Q, m), std::fabs(dot(u, m)), scale + sumAbs(Q)))
                continue;
        }
        if (PlateBlocks(P1, P2, u, T, L)) {
            blocked = 1;
            return;
        }
    }
}

bool PlateBlocks(const Vec3& P1, const Vec3& P2, const Vec3& u, const PlateTable& T, int L) {
    int plate = L;
    int flag = 0;
    Vec3 H;
    REFPNT(P1, T, plate, 1, H, u, flag, P2);
    if (!refpntHit(plate, flag))
        return false;
    Vec3 a, b;
    VECTOR(3, P1, H, a);
    VECTOR(3, P2, H, b);
    return dot(a, b) <= 0;
}

} // namespace kelvd
