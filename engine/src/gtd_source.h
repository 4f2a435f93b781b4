#ifndef KELVD_GTD_SOURCE_H
#define KELVD_GTD_SOURCE_H

#include "gtd_state.h"

namespace kelvd {

// Field of the antenna element from p1 to p2 (possibly mirrored) along a ray leaving at angles theta,
// phi (degrees) over distance dist (wavelengths), element factors applied. A zero distance gives no
// field.
FieldPair SRCFLD(const GtdCall& g, const Vec3& p1, const Vec3& p2, double theta, double phi, double dist);

// Multiplies the pair by the element and three-element factors of the current antenna (angles in
// radians); leaves it unchanged unless AMODE > 1.
void ANTPAT(const GtdCall& g, FieldPair& E, double theta, double phi);

} // namespace kelvd

#endif
