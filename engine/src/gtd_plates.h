#ifndef KELVD_GTD_PLATES_H
#define KELVD_GTD_PLATES_H

#include "gtd_state.h"

namespace kelvd {

// Builds the plate vertex table DRV (feet), the plate normals and the wedge angles of the call from the
// profile, a vertex equal in Y and Z to the one before it merged into it (the table then holds
// 2 (NPLATE + 1) vertices). Returns -1, or the number (from 0) of the first plate whose vertices are not coplanar.
int BuildPlates(GtdCall& g, const Profile& profile);

} // namespace kelvd

#endif
