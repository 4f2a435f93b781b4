#include "field_models.h"

#include "error_codes.h"
#include "flat_earth.h"
#include "po_model.h"
#include "text_format.h"

namespace kelvd {

namespace {
int ModelNotAvailable(FieldContext& ctx, const char* name) {
    Appendf(ctx.fort7, "  THE %s MODEL IS NOT AVAILABLE IN THIS ENGINE\n", name);
    return errors::kModelNotAvailable;
}
} // namespace

int CallFieldModel(FieldContext& ctx, Complex& E) {
    switch (ctx.in.MODEL) {
    case 1:
        return ModelNotAvailable(ctx, "GTD");
    case 2:
        E = POFLD(ctx);
        return 0;
    default:
        FLATEF(ctx, E, ctx.in.epsEff);
        return 0;
    }
}

} // namespace kelvd
