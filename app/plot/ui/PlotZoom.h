#pragma once
// What the mouse does to the plot, without the window: the zoom box turned into axis limits and the
// polar read-out of a click.
#include "plot/records/PlotSettings.h"

#include <string>

namespace plotzoom {

// The picture box's user scale (the page's 11 x 8.5 inches span it).
struct BoxScale {
    double left = 0, top = 0, width = 719, height = 555;
};

// The box between two corners (box units, y down) as the new limits, in either drag direction:
// both axes manual (axis mode 5), 5 tics each, an inverted axis staying inverted.
void ApplyZoom(plot::PlotSettings& s, const BoxScale& box, double xa, double ya, double xb, double yb);

// A click at (px, py) page inches on a polar plot: inside the inner ring nothing, outside the outer
// one the read-out hidden, between them its caption (value "," bearing "°") and place in pixels.
struct PolarReadOut {
    enum class Kind { Nothing, Hide, Show } kind = Kind::Nothing;
    std::string caption;
    double leftPixels = 0, topPixels = 0;
};
PolarReadOut PolarReadOutAt(double px, double py, const plot::PlotSettings& s);

} // namespace plotzoom
