#ifndef KELVD_GTD_DIFFRACT_H
#define KELVD_GTD_DIFFRACT_H

#include "gtd_state.h"

namespace kelvd {

// The families that begin with a diffraction: D, DR, DRD, DD, DDR and DRR.
FieldPair RAYDIF(GtdCall& g);

// Diffracted at edge k, reflected at plate j and at a later plate.
FieldPair RAYDRR(GtdCall& g, int k, int j);

} // namespace kelvd

#endif
