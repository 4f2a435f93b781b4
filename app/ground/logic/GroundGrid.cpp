#include "ground/logic/GroundGrid.h"

#include "platform/text/Strings.h"

namespace ground {

namespace {

constexpr int kNameColWidth = 350;
constexpr int kValueColWidth = 992;
const char* const kHeaders[] = {" X", " Y", " Z"};

} // namespace

int SelectedCut(int row, int numX) {
    const int cut = (row + numX) / (numX + 1);
    return cut < 1 ? 1 : cut;
}

bool IsHeaderRow(const plat::GridModel& grid, int row) {
    return grid.CellBackColor(row, kColX) == kHeaderColour;
}

bool GridMatches(const plat::GridModel& grid, int numX, int numY) {
    return numX >= 1 && numY >= 1 && grid.Rows() == (numX + 1) * numY && grid.Cols() == 4;
}

void SetupGroundGrid(plat::GridModel& grid, int cuts, int nodes) {
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    grid.Clear();
    grid.SetCols(4);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.SetRows((nodes + 1) * cuts);
    grid.SetColWidth(0, kNameColWidth);
    for (int c = kColX; c <= kColZ; ++c)
        grid.SetColWidth(c, kValueColWidth);
    for (int j = 1; j <= cuts; ++j) {
        const int header = NodeRow(nodes, j, 0);
        if (j >= 2) {
            grid.SetTextMatrix(header, 0, "#" + std::to_string(j));
            grid.SetCellBackColor(header, 0, kHeaderColour);
        }
        for (int c = kColX; c <= kColZ; ++c) {
            grid.SetTextMatrix(header, c, kHeaders[c - kColX]);
            grid.SetCellBackColor(header, c, kHeaderColour);
        }
        for (int i = 1; i <= nodes; ++i) {
            const int row = header + i;
            grid.SetTextMatrix(row, 0, std::to_string(i));
            for (int c = kColX; c <= kColZ; ++c)
                grid.SetTextMatrix(row, c, "0.000");
        }
    }
    grid.SetRedraw(redraw);
}

CutTexts ReadNodes(const plat::GridModel& grid, int numX, int numY) {
    CutTexts cuts(numY, std::vector<NodeTexts>(numX));
    for (int j = 1; j <= numY; ++j)
        for (int i = 1; i <= numX; ++i)
            for (int c = kColX; c <= kColZ; ++c)
                cuts[j - 1][i - 1][c - kColX] = plat::Trim(grid.TextMatrix(NodeRow(numX, j, i), c));
    return cuts;
}

void WriteNodes(plat::GridModel& grid, const CutTexts& cuts) {
    const int numY = static_cast<int>(cuts.size());
    const int numX = numY == 0 ? 0 : static_cast<int>(cuts.front().size());
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    SetupGroundGrid(grid, numY, numX);
    for (int j = 1; j <= numY; ++j)
        for (int i = 1; i <= numX; ++i)
            for (int c = kColX; c <= kColZ; ++c)
                grid.SetTextMatrix(NodeRow(numX, j, i), c, cuts[j - 1][i - 1][c - kColX]);
    grid.SetRedraw(redraw);
}

} // namespace ground
