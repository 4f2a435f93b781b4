#include "gtd_plates.h"

#include "engine_constants.h"
#include "text_format.h"

#include <algorithm>
#include <cmath>

namespace kelvd {

namespace {
constexpr double kHalfWidth = 50000; // feet either side of the centreline
} // namespace

int BuildPlates(GtdCall& g, const Profile& profile) {
    // A vertex that repeats the one before it (a ground file's cut listed twice, a grid row entered
    // twice) would make a plate of no area, whose normal is undefined: it is merged into its predecessor.
    // Only Y and Z shape the plates.
    Profile merged;
    for (int i = 0; i < std::clamp(profile.NV, 0, limits::kMaxVertices); ++i) {
        const Vec3& v = profile.v[static_cast<size_t>(i)];
        const Vec3& last = merged.v[static_cast<size_t>(std::max(merged.NV - 1, 0))];
        if (merged.NV > 0 && v.y == last.y && v.z == last.z)
            continue;
        merged.v[static_cast<size_t>(merged.NV++)] = v;
    }
    const int NV = merged.NV;
    auto& DRV = g.T.DRV;
    for (int i = 0; i < 2 * NV; ++i) {
        const int j = i / 2;
        const Vec3& p = merged.v[static_cast<size_t>(j)];
        DRV[static_cast<size_t>(i)] = {((i + j) % 2 == 0 ? 1.0 : -1.0) * kHalfWidth, p.y, p.z};
        if (g.DEBUG == 1)
            Appendf(g.sink, "0     DRV(I,1,2,3)=%15.3f%15.3f%15.3fI=%5dJ=%5d\n", DRV[i].x, DRV[i].y, DRV[i].z,
                    i + 1, j + 1);
    }
    const int NPLATE = std::max(NV - 1, 0);
    g.T.NPLATE = NPLATE;
    for (int k = 0; k < NPLATE; ++k) {
        const Vec3 &Va = DRV[2 * k], &Vb = DRV[2 * k + 1], &Vc = DRV[2 * k + 2], &Vd = DRV[2 * k + 3];
        Vec3 nA, nB;
        if (k % 2 == 0) {
            VECTOR(2, Vd - Vb, Vc - Va, nA);
            VECTOR(2, Vb - Vd, Va - Vc, nB);
        } else {
            VECTOR(2, Vc - Va, Vd - Vb, nA);
            VECTOR(2, Va - Vc, Vb - Vd, nB);
        }
        // The cross products point up out of the ground; every consumer of the table (the reflection
        // point's side and inside tests, the diffraction angles) expects the normal into the ground.
        const Vec3 n = -nA;
        if (g.DEBUG == 1)
            Appendf(g.sink, "  %20.10f%20.10f%20.10f\n", n.x, n.y, n.z);
        if (std::fabs(dot(nB, nA) - 1) >= 1e-10) {
            Appendf(g.sink, " VERTEXES ARE NOT COPLANAR AT THE PLATE          ");
            Appendf(g.sink, "%10d          PROGRAM WAS INTERRUPTED\n", k + 1);
            return k;
        }
        g.T.normal[static_cast<size_t>(k)] = n;
        g.T.alongX[static_cast<size_t>(k)] = isStripAlongX(g.T, k);
    }
    for (int k = 0; k + 1 < NPLATE; ++k) {
        const Vec3 &a = g.T.normal[k], &b = g.T.normal[k + 1];
        const double d = dot(a, b);
        double wa = d < 1 ? (kPi - std::acos(std::max(d, -1.0))) / kRadPerDeg : 180.0;
        if (cross(b, a).x < 0)
            wa = 360 - wa;
        g.WA[static_cast<size_t>(k)] = wa;
    }
    return -1;
}

} // namespace kelvd
