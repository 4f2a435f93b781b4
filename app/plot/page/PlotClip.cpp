#include "plot/page/PlotClip.h"

namespace plot {

namespace {

int Outcode(float x, float y, float xmin, float xmax, float ymin, float ymax) {
    int code = 0;
    if (x < xmin)
        code |= 1;
    else if (x > xmax)
        code |= 2;
    if (y < ymin)
        code |= 4;
    else if (y > ymax)
        code |= 8;
    return code;
}

// Moves the end (x, y) whose start code is `code` onto the edges, interpolating towards (ox, oy).
void ClipEnd(float& x, float& y, float ox, float oy, int code, float xmin, float xmax, float ymin,
             float ymax) {
    if ((code & 3) != 0) {
        const float edge = (code & 1) != 0 ? xmin : xmax;
        const float dx = ox - x;
        if (dx != 0)
            y = y + (oy - y) * (edge - x) / dx;
        x = edge;
    }
    if (y < ymin || y > ymax) {
        const float edge = y < ymin ? ymin : ymax;
        const float dy = oy - y;
        if (dy != 0)
            x = x + (edge - y) * (ox - x) / dy;
        y = edge;
    }
}

// The pass itself; false (and nothing changed) when both ends lie beyond one edge.
bool Clip(float& x1, float& y1, float& x2, float& y2, float xmin, float xmax, float ymin, float ymax) {
    const int c1 = Outcode(x1, y1, xmin, xmax, ymin, ymax);
    const int c2 = Outcode(x2, y2, xmin, xmax, ymin, ymax);
    if ((c1 & c2) != 0)
        return false;
    if (c1 != 0)
        ClipEnd(x1, y1, x2, y2, c1, xmin, xmax, ymin, ymax);
    if (c2 != 0)
        ClipEnd(x2, y2, x1, y1, c2, xmin, xmax, ymin, ymax);
    return true;
}

} // namespace

void ClipSegment(float& x1, float& y1, float& x2, float& y2, float xmin, float xmax, float ymin, float ymax) {
    Clip(x1, y1, x2, y2, xmin, xmax, ymin, ymax);
}

void ClipToPlotArea(float& x1, float& y1, float& x2, float& y2, const PlotSettings& s, float xScale,
                    float yScale) {
    const auto pageX = [&](float x) {
        return s.PlotXDir == 1 ? kAreaLeft + (x - s.PlotXMin) * xScale
                               : kAreaRight + (x - s.PlotXMax) * xScale;
    };
    const auto pageY = [&](float y) {
        return s.PlotYDir == 1 ? kAreaBottom - (y - s.PlotYMin) * yScale
                               : kAreaTop - (y - s.PlotYMax) * yScale;
    };
    x1 = pageX(x1);
    x2 = pageX(x2);
    y1 = pageY(y1);
    y2 = pageY(y2);
    if (!Clip(x1, y1, x2, y2, kAreaLeft, kAreaRight, kAreaTop, kAreaBottom))
        x2 = kClippedAway;
}

} // namespace plot
