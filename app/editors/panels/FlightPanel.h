#pragma once
// The flight profile panel: the kind of path with its defaults and output selection, the point
// boxes, the point converter and the number of points.

class frmMain;

void AttachFlightPanel(class frmMain& w);
