#pragma once

// The digitiser's points grid: its layout, the cell editor's commit rule and moves, copy and paste,
// and the transfer into the main window's ground profile grid.

#include <string>
#include <string_view>
#include <utility>

#include "platform/grid/GridModel.h"

namespace digitise {

inline constexpr int kPointRows = 101; // the header and 100 points
inline constexpr const char* kPointFormat = "####0.00";

// 101 rows by 2 columns headed "Y" and "Z", emptied, the current cell at row 1, column 0.
void ResetPoints(plat::GridModel& grid);
// ResetPoints, and 101 rows by 2 columns headed "Y" and "Z", each (width − scrollBar) / 2 twips wide,
// emptied, the current cell at row 1, column 0.
void SizeGridColumns(plat::GridModel& grid, int widthTwips, int scrollBarTwips);

// The text a cell gets when the editor commits text: "0.00" unless the text reads as its number,
// else the number in "####0.00".
std::string CommitCellText(std::string_view text);

// The editor's key that committed: Enter, or an arrow key.
enum class CommitKey { Enter, Left, Up, Right, Down };
// The cell after a commit from (row, col) of a grid of rows rows: Enter goes to column 1 and from
// there to column 0 of the next row; arrows move one cell; the cell stays within columns 0..1 and
// rows 1..rows − 1.
std::pair<int, int> CellAfterCommit(CommitKey key, int row, int col, int rows);

// The selected block, cells trimmed, TAB between cells, CR LF after each row; grey rows passed over.
std::string CopyGridToClipboard(const plat::GridModel& grid);
// Text pasted from (row, col): TAB next column, LF next row, CR ignored; cells beyond the grid
// dropped, grey rows skipped.
void PasteClipboardToGrid(plat::GridModel& grid, int row, int col, std::string_view text);

// The points up to the first row without a Y, written into columns 2 (Y) and 3 (Z) of the main
// window's ground grid with the profile mark " X " in column 4, columns 2 to 4 of every other row
// cleared. More points than the grid's data rows: nothing changes and the message is returned.
std::string TransferToProfile(const plat::GridModel& points, plat::GridModel& ground);

} // namespace digitise
