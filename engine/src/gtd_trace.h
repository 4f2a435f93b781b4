#ifndef KELVD_GTD_TRACE_H
#define KELVD_GTD_TRACE_H

#include "gtd_state.h"

#include <string>

namespace kelvd {

// Appends one trace line with the magnitudes and phases (degrees) of the pair.
void PRTFLD(std::string& sink, const FieldPair& E);

} // namespace kelvd

#endif
