#ifndef KELVD_GTD_MODEL_H
#define KELVD_GTD_MODEL_H

#include "engine_types.h"
#include "field_context.h"

namespace kelvd {

// The GTD field of the current antenna (cant in degrees) at the field point: direct, reflected and
// diffracted rays over the plates of the profile, up to three interactions. Returns 0, or non-zero when
// two consecutive profile points coincide (the two report lines are then in ctx.fort7).
int GTDFLD(FieldContext& ctx, Complex& E, double cant);

} // namespace kelvd

#endif
