#ifndef KELVD_GTD_SHADOWED_LEGS_H
#define KELVD_GTD_SHADOWED_LEGS_H

#include "gtd_state.h"

namespace kelvd {

// True only when V2DIF(g, S, P, edge k, edge m), the edges as the profile has them, certainly writes
// nothing and the two-edge tracer's shadow test of the path between the points it finds certainly
// answers "shadowed": VLOGI1 over plates k + 1 .. m - 2, or RRSHAD at the edge between when m = k + 2.
// The tracer may then skip the search.
bool edgeToEdgeSurelyShadowed(const GtdCall& g, const Vec3& S, const Vec3& P, int k, int m);

// The same for the path over edges m and q after a reflection: DDPNT(g, D1, D2, m + 1, q - 2) on the
// points V2DIF(g, S, P, edge m, edge q) finds certainly answers 1 (a profile point on or above the path).
bool edgeToEdgeSurelyOvertopped(const GtdCall& g, const Vec3& S, const Vec3& P, int m, int q);

} // namespace kelvd

#endif
