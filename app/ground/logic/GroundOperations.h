#pragma once

// The ground editor's operations on its grid as a whole: swapping the node and cut order,
// translating every node, the clipboard, turning a two-column profile into cuts, inserting and
// removing cuts and node rows, and the height of the ground at a point. Each takes the counts the
// grid is laid out for; a grid that does not match them is left alone.

#include "ground/logic/GroundFile.h"
#include "ground/logic/GroundGrid.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ground {

// Reverses the node order inside every cut (X) or the order of the cuts (Y).
void SwapX(plat::GridModel& grid, int numX, int numY);
void SwapY(plat::GridModel& grid, int numX, int numY);

// Adds offset to every X, setback to every Y and elevation to every Z, in single precision, written
// with one to three decimals; empty cells stay empty. A non-empty cell that holds no number stops
// it before anything changes: that cell is returned.
std::optional<GridCell> TranslateAllData(plat::GridModel& grid, int numX, int numY, float setback,
                                         float offset, float elevation);

// The block from the current cell to the selection end (either way round) as TAB- and CR LF-separated
// trimmed texts; header rows are stepped over and count as rows of the block.
std::string CopyCells(const plat::GridModel& grid);
// Pastes TAB- and line-separated text from (row, col) on: TAB moves a column right, a line end (LF,
// with or without CR before it) to the next node row at the starting column. Text never reaches a
// header row or lands outside the grid's columns 1 to 3. The current cell is kept.
void PasteCells(plat::GridModel& grid, int row, int col, std::string_view text);

// One line of a two-column profile: distance (Y) and height (Z) as texts, or nothing for a line
// with fewer than two TAB-separated fields.
using ProfileLine = std::optional<std::pair<std::string, std::string>>;
// The lines of a pasted profile, at most kMaxCount; a trailing line end ends the last line.
std::vector<ProfileLine> ProfileLines(std::string_view text);
// Writes the profile into a grid of 3-node cuts: each usable line fills the next cut with X -5000,
// 0 and 5000 at its distance and height; skipped lines fill nothing.
void Fill2DTo3D(plat::GridModel& grid, const std::vector<ProfileLine>& lines);

// Inserts a cut of "0" nodes after cut p (0: before the first); after the last cut the new cut keeps
// the fresh "0.000" texts. Nothing at kMaxCount cuts. Returns the new count of cuts.
int InsertNode(plat::GridModel& grid, int numX, int numY, int p);
// Removes cut k; the only cut stays. Returns the new count of cuts.
int RemoveNode(plat::GridModel& grid, int numX, int numY, int k);
// Removes the node of `row` from every cut; nothing for a header row or when each cut has one node.
// Returns the new count of nodes per cut.
int RemoveRowFromAll(plat::GridModel& grid, int numX, int numY, int row);

// The ground height at (y, x): between the nodes on either side of x at a cut exactly at y = 0, or
// 0 when there are none.
float GroundElevationAt(const plat::GridModel& grid, float y, float x);

} // namespace ground
