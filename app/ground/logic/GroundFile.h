#pragma once

// The .3D ground file: a counts line (nodes per cut, cuts) and one "X Y Z" line per node, cut by
// cut, in feet. The reader takes any split of the numbers by blanks, commas or line ends and
// accepts a file only when it is complete; the writer lays the grid out byte for byte.

#include "ground/logic/GroundGrid.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ground {

// Feet per metre as the file's unit conversion uses it.
inline constexpr float kFeetPerMetre = 3.281f;

// A complete file, its nodes as the grid shows them (in the display unit).
struct GroundData {
    int numX = 0;
    int numY = 0;
    CutTexts cuts;
};

// The file read, or what is wrong with it.
struct GroundReadResult {
    std::optional<GroundData> data;
    std::string error;
};

// Reads the text of a .3D file; metres divides every value by the feet per metre. Each value is
// rounded to two decimals and shown as its shortest text.
GroundReadResult Parse3DText(std::string_view text, bool metres);
// Reads a .3D file; a file that cannot be read, or is larger than any valid one can be, is refused.
GroundReadResult Read3DFile(const std::filesystem::path& path, bool metres);
// Lays the grid out for the data and fills it.
void FillGroundGrid(plat::GridModel& grid, const GroundData& data);

// The counts line, CR LF included: each count in its 14-column print zone.
std::string CountsLine(int numX, int numY);

// A grid cell by row and column.
struct GridCell {
    int row = 0;
    int col = 0;
};

// A node cell as the user finds it: "Y of node 3 of cut 2".
std::string CellName(int numX, GridCell cell);

// The bytes of the file, or the first node cell that holds no number.
struct GroundWriteText {
    std::string bytes;
    std::optional<GridCell> badCell;
};
// The file text of a grid of numY cuts of numX nodes; metres multiplies every value by the feet per
// metre.
GroundWriteText Format3DText(const plat::GridModel& grid, int numX, int numY, bool metres);

} // namespace ground
