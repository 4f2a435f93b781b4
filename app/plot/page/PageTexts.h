#pragma once
// What the plot page writes beside the trace: the axes' tic positions and labels, the titles and
// the unit captions. Positions are page inches.
#include "plot/records/PlotSettings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plot {

// The number of intervals between tics: tics - 1 rounded half to even and held to 1..255, so that
// no stored count (0, negative, huge, not a number) breaks the axes.
int TicIntervals(float tics);

// The factor from feet to the X axis' length unit: 1 for feet and degrees, 1/6076 for nautical
// miles; with metres shown, 1852/6076 (metres) and 1.852/6076 (kilometres). X itself stays in feet.
double XLabelFactor(std::uint8_t plotXUnit, bool useSI);

struct TicLabel {
    float x = 0; // where the text is written, inches
    float y = 0;
    std::string text;
};

// One line of the grid: the tic's page position and whether it is the solid zero line.
struct GridLine {
    float at = 0; // x of a vertical line, y of a horizontal one
    bool zero = false;
};

struct AxesLayout {
    std::vector<GridLine> xLines;
    std::vector<TicLabel> xLabels;
    std::vector<GridLine> yLines;
    std::vector<TicLabel> yLabels;
};

// The grid and tic labels of the axes: X labels at 7.6 in below their tic, shifted left by 0.1 in
// for a 3-character label and 0.17 in for one of other than 2 or 3; Y labels at 0.95 in, 0.01 in
// below their line. A Y label that reads as 0 marks the zero line.
AxesLayout LayoutAxes(const PlotSettings& s, double xLabelFactor);

// The title: PlotLabel, or the run type's ("Generic Plot" for a type with none of its own).
std::string PlotTitle(const PlotSettings& s, std::uint8_t plotFlightType);
// The quantity caption from the output list's item (its number prefix cut); empty for an item
// outside 1..11 or a list that lacks it.
std::string QuantityCaption(std::uint8_t yAxisVar, std::string_view listItem);
std::string XUnitCaption(std::uint8_t plotXUnit, bool useSI);
// "Microamps", "Degrees" or "mV/m"; empty for a quantity outside 1..11.
std::string YUnitCaption(std::uint8_t yAxisVar);
// The part of the path after its last "\" or "/", empty when it holds none.
std::string GetFileName(std::string_view path);

} // namespace plot
