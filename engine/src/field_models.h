#ifndef KELVD_FIELD_MODELS_H
#define KELVD_FIELD_MODELS_H

#include "engine_types.h"
#include "field_context.h"

namespace kelvd {

// The complex field of the current antenna at the field point by the model the ground card chose
// (MODEL 1 GTD, 2 physical optics, any other value flat earth). Returns 0, or the error code that ends
// the run (errors::kNotCoplanar from the GTD model).
int CallFieldModel(FieldContext& ctx, Complex& E);

} // namespace kelvd

#endif
