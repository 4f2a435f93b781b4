#include "gtd_trace.h"

#include "engine_constants.h"
#include "text_format.h"

namespace kelvd {

void PRTFLD(std::string& sink, const FieldPair& E) {
    Appendf(sink, "          %15.7f %15.7f %15.7f %15.7f\n", std::abs(E.E1),
            ATAN2S(E.E1.imag(), E.E1.real()) / kRadPerDeg, std::abs(E.E2),
            ATAN2S(E.E2.imag(), E.E2.real()) / kRadPerDeg);
}

} // namespace kelvd
