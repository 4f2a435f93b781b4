#pragma once
// A device context as a landscape page of 11 x 8.5 inches in thousandths of an inch (x right, y
// down), mapped onto the 719 x 555 pixels of the plot window's picture box, with the few drawing
// calls the plot needs. One page is open at a time: its saved state is module state.
#include "platform/draw/DeviceContext.h"

#include <span>
#include <string>

namespace plat {
class PictureBox;
}

namespace plot {

inline constexpr int kPageUnitsX = 11000;
inline constexpr int kPageUnitsY = 8500;
inline constexpr int kPagePixelsX = 719;
inline constexpr int kPagePixelsY = 555;

// Saves the context's state and sets up the page: the mapping, a 0.15 in "Arial" font, a black pen
// of 6 units, transparent text background.
void BeginPlot(plat::DeviceContext& dc);
// The same on the picture box's context (the name is not used).
void BeginPlotOnPicture(plat::PictureBox& box, const std::string& name);
// Puts the stock pen and font back (dropping the ones in use) and restores the state BeginPlot saved.
void EndPlot(plat::DeviceContext& dc);

// The pen in use replaced by a copy with one attribute changed.
void SetPenColor(plat::DeviceContext& dc, plat::Colour colour);
void SetPenWidth(plat::DeviceContext& dc, int width);
void SetPenStyle(plat::DeviceContext& dc, int style);
// The font in use replaced by a copy of height -20 x size, weight 400, and the face when not empty.
void SetFontSize(plat::DeviceContext& dc, int size, const std::string& faceName);

// Text anchored at (x, y) in page units: anchor = 3h + v, h 0 left, 1 centre, 2 right, v 0 top,
// 1 middle, 2 bottom; rotated by the angle (degrees, counter-clockwise) about the anchor.
void PlotText(plat::DeviceContext& dc, const std::string& text, float x, float y, int anchor, float angle);
// Text at a page position in inches, in the size and face given; the pen is left black and the
// viewport as found. The colour colours the pen, not the text.
void PlotTextInches(plat::DeviceContext& dc, const std::string& text, float x, float y, int anchor,
                    float angle, int size, const std::string& faceName, plat::Colour colour);
// A segment in page inches with the pen's colour, width and style set in that order (they stay).
void DrawLine(plat::DeviceContext& dc, float x1, float y1, float x2, float y2, plat::Colour colour, int style,
              int width);
// A segment in page inches.
struct PageSegment {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};
// The segments in turn, each drawn as DrawLine draws it, in one call of the context (a trace's
// thousands of segments share one pen and one mapping); the current point is left as it was.
// No segments change nothing, the pen neither.
void DrawLines(plat::DeviceContext& dc, std::span<const PageSegment> segments, plat::Colour colour, int style,
               int width);

} // namespace plot
