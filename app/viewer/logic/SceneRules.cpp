#include "viewer/logic/SceneRules.h"

#include "viewer/logic/BoxValue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace viewer {
namespace {

float ReadBox(std::string& box) {
    if (box.empty())
        box = "0";
    return BoxSingle(box);
}

struct Legend {
    bool grids;
    int sideView; // −1: either
    bool elevGrid;
    const char* suffix;
};
constexpr std::array<Legend, 6> kLegend{{
    {true, 1, true, "500'x50'"},
    {true, 1, false, "500'"},
    {true, 0, true, "500'x500'x50'"},
    {true, 0, false, "500'x500'"},
    {false, -1, true, "50'"},
    {false, -1, false, "Off"},
}};

} // namespace

const std::array<ArrayBoxes, 3> kArrayBoxes{{
    {1, 0, {0, 0, 0}},
    {2, 2, {0, 2, 0}},
    {3, 1, {0, 1, 2}},
}};

int PositionBoxOf(const AntennaBoxes& boxes) {
    const int index = boxes.NumAntsIndex >= 0 && boxes.NumAntsIndex <= 2 ? boxes.NumAntsIndex : 0;
    return kArrayBoxes[static_cast<std::size_t>(index)].PositionBox;
}

ArrayLayout ReadArray(AntennaBoxes& boxes) {
    const int index = boxes.NumAntsIndex >= 0 && boxes.NumAntsIndex <= 2 ? boxes.NumAntsIndex : 0;
    const ArrayBoxes& use = kArrayBoxes[static_cast<std::size_t>(index)];
    ArrayLayout layout;
    layout.Count = use.Count;
    const auto k = static_cast<std::size_t>(use.PositionBox);
    layout.MastX = -ReadBox(boxes.Y[k]);
    layout.MastY = -ReadBox(boxes.X[k]);
    for (int i = 0; i < use.Count; ++i)
        layout.Heights[static_cast<std::size_t>(i)] = ReadBox(boxes.Z[static_cast<std::size_t>(use.HeightBoxes[i])]);
    return layout;
}

std::string LegendText(bool showGrids, bool sideView, bool showElevGrid) {
    for (const Legend& row : kLegend) {
        if (row.grids == showGrids && row.elevGrid == showElevGrid && (row.sideView < 0 || (row.sideView == 1) == sideView))
            return std::string("Grid = ") + row.suffix;
    }
    return "Grid = Off";
}

} // namespace viewer
