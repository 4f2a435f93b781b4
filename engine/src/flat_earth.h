#ifndef KELVD_FLAT_EARTH_H
#define KELVD_FLAT_EARTH_H

#include "engine_types.h"
#include "field_context.h"

namespace kelvd {

// Flat-earth field of the current antenna at the field point: the direct ray plus the ray reflected by
// the plane of the profile's first segment, with the Fresnel coefficient for effective permittivity
// epsEff ((0, 0) is a perfect conductor). With fewer than two vertices the plane is the horizontal one
// through vertex 0; a vertical first segment mirrors in the vertical plane through vertex 0.
void FLATEF(const FieldContext& ctx, Complex& E, Complex epsEff);

// The reflection coefficient for a ray of elevation psi (radians) over ground of permittivity epsEff.
Complex FresnelReflection(double psi, Complex epsEff);

} // namespace kelvd

#endif
