#pragma once

// The scene's small rules: where the antenna array stands, read from the main window's antenna
// boxes, and the legend's text.

#include <array>
#include <string>

namespace viewer {

// The main window's antenna boxes as the viewer reads and writes them: box i belongs to antenna
// i + 1; NumAntsIndex is the index of the set antenna-count button (0, 1 or 2).
struct AntennaBoxes {
    int NumAntsIndex = 0;
    std::array<std::string, 3> X;
    std::array<std::string, 3> Y;
    std::array<std::string, 3> Z;
};

// The array: the mast at (MastX, MastY) = (−Y, −X) of the position antenna's boxes (the software
// picture takes MastY with the other sign), the antennas' heights in order.
struct ArrayLayout {
    float MastX = 0;
    float MastY = 0;
    int Count = 1;
    std::array<float, 3> Heights{};
};

// Which boxes an antenna count uses: the position antenna's box and the height boxes in order.
struct ArrayBoxes {
    int Count;
    int PositionBox;
    std::array<int, 3> HeightBoxes;
};
extern const std::array<ArrayBoxes, 3> kArrayBoxes;

// The box of the antenna whose position places the array and the presets (1 antenna: box 0,
// 2 antennas: box 2, 3 antennas: box 1). An index outside 0..2 counts as 0.
int PositionBoxOf(const AntennaBoxes& boxes);

// The array from the boxes; every box it reads that is empty is set to "0".
ArrayLayout ReadArray(AntennaBoxes& boxes);

// The legend's text, "Grid = " and what the grids shown measure.
std::string LegendText(bool showGrids, bool sideView, bool showElevGrid);

} // namespace viewer
