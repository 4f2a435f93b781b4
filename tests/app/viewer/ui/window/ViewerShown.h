#pragma once
// The viewer window shown over the ground a test gives it, as its host: no antenna boxes, feet.

#include <functional>
#include <utility>

#include "platform/grid/GridModel.h"
#include "platform/services/Clock.h"
#include "viewer/ui/frmViewGround.h"

inline class frmViewGround& ShowViewer(std::function<const plat::GridModel*()> ground) {
    auto& w = frmViewGround();
    ViewGroundHost host;
    host.groundGrid = std::move(ground);
    host.antennaBoxes = [] { return viewer::AntennaBoxes{}; };
    host.useSI = [] { return false; };
    w.SetHost(host);
    w.Show();
    plat::DoEvents(20);
    return w;
}
