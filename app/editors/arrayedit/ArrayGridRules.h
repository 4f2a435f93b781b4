#pragma once

// The array grid editor's rules without a window: the grid headers by kind of array and working
// unit, the floating editor's move to the next cell, and inserting and deleting rows.

#include "platform/grid/GridModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editors {

inline constexpr int kArrayGridRows = 100;

// The grid's format string for Facility (1 glide slope, 2 localizer) and the working unit (1.0 feet,
// 2.0 metres); none for other values.
std::optional<std::string> ArrayGridFormat(std::uint8_t facility, double workingUnit);

// The columns of a format string: each '|' starts a column, a leading '<' left-aligns it.
struct ArrayGridColumn {
    std::string header;
    bool leftAligned = false;
};
std::vector<ArrayGridColumn> FormatStringColumns(std::string_view format);

// Where Enter in the floating editor moves the current cell: one column right, from the last column
// to column 1 of the next row; from the last cell of the last row nowhere.
struct ArrayCell {
    int row = 0;
    int col = 0;
};
ArrayCell NextArrayCell(int row, int col, int rows, int cols);

// The Insert key over the selected rows row..rowSel (either way round): the rows from there on move
// down by their number (what passes the last row is lost) and the selected rows are emptied. The
// Delete key: the rows below move up over them and as many rows at the end are emptied. Nothing
// happens when the selection starts in the heading row (row 0).
void InsertArrayRows(plat::GridModel& grid, int row, int rowSel);
void DeleteArrayRows(plat::GridModel& grid, int row, int rowSel);

} // namespace editors
