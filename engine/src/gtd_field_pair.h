#ifndef KELVD_GTD_FIELD_PAIR_H
#define KELVD_GTD_FIELD_PAIR_H

#include "engine_types.h"

namespace kelvd {

// A field pair of the GTD model: E1 along theta-hat, E2 along phi-hat of a direction: a ray's own
// arrival direction, or for the sums of the rays the direct ray's (see ReceivingFrame).
struct FieldPair {
    Complex E1{}, E2{};
    FieldPair& operator+=(const FieldPair& o) {
        E1 += o.E1;
        E2 += o.E2;
        return *this;
    }
};

} // namespace kelvd

#endif
