#ifndef KELVD_GTD_WORKSPACE_H
#define KELVD_GTD_WORKSPACE_H

#include "engine_types.h"

#include <array>

namespace kelvd {

// What the GTD model keeps from one call to the next within a worker: whether each edge is seen from
// each antenna (0 not yet known, 1 seen, -1 hidden), indexed [edge - 1][antenna]. Value-initialised with
// the field context at the start of a run. For a card profile the entries hold for the whole run (they
// do not depend on the field point); for a profile cut from the 3D ground file an antenna's entries are
// cleared whenever its profile is rebuilt.
struct GtdWorkspace {
    std::array<std::array<int, limits::kMaxAntennas>, limits::kMaxVertices> edgeSeen{};
};

} // namespace kelvd

#endif
