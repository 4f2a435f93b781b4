#include "field_models.h"

#include "error_codes.h"
#include "flat_earth.h"
#include "gtd_model.h"
#include "po_model.h"

namespace kelvd {

int CallFieldModel(FieldContext& ctx, Complex& E) {
    switch (ctx.in.MODEL) {
    case 1:
        return GTDFLD(ctx, E, ctx.in.ant[static_cast<size_t>(ctx.antenna)].CANT) != 0 ? errors::kNotCoplanar : 0;
    case 2:
        E = POFLD(ctx);
        return 0;
    default:
        FLATEF(ctx, E, ctx.in.epsEff);
        return 0;
    }
}

} // namespace kelvd
