#pragma once
// The plot page's two segment clippers: a single Cohen-Sutherland pass against a rectangle, and the
// conversion of a data segment to page inches clipped to the plot area. The viewer clips with the
// first in its own coordinates.
#include "plot/records/PlotSettings.h"

namespace plot {

// Page inches of the plot area (y downwards from the top of the page).
inline constexpr float kAreaLeft = 1.0F;
inline constexpr float kAreaRight = 10.0F;
inline constexpr float kAreaTop = 1.0F;
inline constexpr float kAreaBottom = 7.5F;
// The x2 of a segment that lies wholly outside the plot area: callers skip it.
inline constexpr float kClippedAway = 99999.0F;

// One pass: each end outside is moved onto the edge it crossed in x, then in y; a segment wholly
// beyond one edge is left as it is. Points on an edge are inside. An end clipped in y may lie
// outside in x again (there is no second pass).
void ClipSegment(float& x1, float& y1, float& x2, float& y2, float xmin, float xmax, float ymin, float ymax);

// Converts the segment from data values to page inches by the directions, limits and scales (inches
// per data unit), then clips it to the plot area; x2 = kClippedAway when it lies wholly outside.
void ClipToPlotArea(float& x1, float& y1, float& x2, float& y2, const PlotSettings& s, float xScale,
                    float yScale);

} // namespace plot
