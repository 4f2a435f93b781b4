#ifndef KELVD_FIELD_CONTEXT_H
#define KELVD_FIELD_CONTEXT_H

#include "engine_types.h"
#include "gtd_workspace.h"
#include "run_inputs.h"

#include <string>

namespace kelvd {

// What a field model gets for one evaluation: the run's inputs, the field point, the current antenna
// and that antenna's terrain profile (from card 1, or cut from the 3D ground file for this antenna and
// point). Each worker thread owns its context; nothing here is shared between threads except the
// read-only inputs.
struct FieldContext {
    explicit FieldContext(const RunInputs& inputs) : in(inputs) {}

    const RunInputs& in;
    Vec3 P{};        // field point (feet)
    int antenna = 0; // current antenna, counted from 0 (in.ant[antenna])
    Profile profile{};
    // Report ("FORT7") text the model writes during this field point (traces, error lines), appended
    // with Appendf so that line ends are CR LF; the point loop writes it in point order.
    std::string fort7;
    // What the GTD model keeps between the evaluations of this worker (edge visibility per antenna).
    GtdWorkspace gtd{};
};

} // namespace kelvd

#endif
