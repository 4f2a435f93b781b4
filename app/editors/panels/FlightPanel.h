#pragma once
// The flight profile panel: the kind of path with its defaults and output selection, the point
// boxes, the point converter and the number of points.

namespace plat {
class MenuItem;
}
struct FlightPanelControls;

// mnuUseSI's check says whether metres are shown.
void AttachFlightPanel(const FlightPanelControls& c, const plat::MenuItem& mnuUseSI);
