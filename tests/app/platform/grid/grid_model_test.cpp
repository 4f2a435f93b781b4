// The grid model without a window: layout, the current cell and selection with EnterCell, widths,
// cell colours, and what it reports to its view.

#include "platform/grid/GridModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using plat::GridChange;
using plat::GridModel;
using Cells = std::vector<std::pair<int, int>>;

// A model of 31 rows and 5 columns that records each EnterCell with the cell entered.
struct Recorded {
    Recorded() {
        grid.SetRows(31);
        grid.SetCols(5);
        grid.EnterCell = [this] { entered.push_back({grid.Row(), grid.Col()}); };
    }
    GridModel grid;
    Cells entered;
};

TEST(GridModelLayout, ANewGridAndResizingKeepCellsAndTheCurrentCellInside) {
    GridModel g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.Redraw());

    Recorded r;
    r.grid.SetTextMatrix(0, 4, "Z"); // fixed cells are addressable
    r.grid.SetTextMatrix(12, 3, "12.3");
    r.grid.Select(20, 4);
    r.entered.clear();
    r.grid.SetRows(15); // the current row falls away: the last row becomes current
    EXPECT_EQ(r.grid.Row(), 14);
    EXPECT_EQ(r.grid.RowSel(), 14);
    EXPECT_EQ(r.entered, (Cells{{14, 4}}));
    r.grid.SetCols(3);
    EXPECT_EQ(r.grid.Col(), 2);
    r.grid.SetRows(40);
    r.grid.SetCols(5);
    EXPECT_EQ(r.grid.TextMatrix(12, 3), ""); // a column cut away comes back empty
    EXPECT_EQ(r.grid.TextMatrix(39, 4), "");
    r.grid.SetTextMatrix(1, 1, "kept");
    r.grid.SetCols(2);
    EXPECT_EQ(r.grid.TextMatrix(1, 1), "kept");

    // Down to one row and column the fixed parts give way.
    r.grid.SetRows(1);
    r.grid.SetCols(1);
    EXPECT_EQ(r.grid.FixedRows(), 0);
    EXPECT_EQ(r.grid.FixedCols(), 0);
    EXPECT_EQ(r.grid.Row(), 0);
    EXPECT_EQ(r.grid.TopRow(), 0);
}

TEST(GridModelLayout, OutOfRangeIsRefused) {
    Recorded r;
    const std::vector<std::pair<const char*, std::function<void(GridModel&)>>> cases = {
        {"text row", [](GridModel& g) { g.TextMatrix(31, 0); }},
        {"text column", [](GridModel& g) { g.SetTextMatrix(0, 5, "x"); }},
        {"negative row", [](GridModel& g) { g.SetRow(-1); }},
        {"column", [](GridModel& g) { g.SetCol(5); }},
        {"selection row", [](GridModel& g) { g.SetRowSel(31); }},
        {"selection", [](GridModel& g) { g.Select(1, 1, 1, 5); }},
        {"no rows", [](GridModel& g) { g.SetRows(0); }},
        {"no columns", [](GridModel& g) { g.SetCols(0); }},
        {"all rows fixed", [](GridModel& g) { g.SetFixedRows(31); }},
        {"all columns fixed", [](GridModel& g) { g.SetFixedCols(5); }},
        {"width", [](GridModel& g) { g.SetColWidth(5, 10); }},
        {"height", [](GridModel& g) { g.RowHeight(-1); }},
        {"colour", [](GridModel& g) { g.CellBackColor(0, 9); }},
        {"top row", [](GridModel& g) { g.SetTopRow(31); }},
    };
    for (const auto& [name, act] : cases) {
        EXPECT_THROW(act(r.grid), std::out_of_range) << name;
    }
    EXPECT_EQ(r.grid.Row(), 1);
    EXPECT_EQ(r.grid.Col(), 1);
    EXPECT_TRUE(r.entered.empty());
}

TEST(GridModelCurrentCell, RowAndColCollapseTheSelectionAndEnterOnlyAMovedCell) {
    Recorded r;
    r.grid.SetRowSel(5);
    r.grid.SetColSel(3);
    r.grid.SetRow(4);
    EXPECT_EQ(r.grid.RowSel(), 4);
    EXPECT_EQ(r.grid.ColSel(), 1);
    r.grid.SetRowSel(6);
    r.grid.SetCol(2);
    EXPECT_EQ(r.grid.RowSel(), 4);
    EXPECT_EQ(r.grid.ColSel(), 2);
    r.grid.SetCol(2); // the same cell: no EnterCell
    r.grid.SetText("x");
    EXPECT_EQ(r.grid.TextMatrix(4, 2), "x");
    // A selection may lie above and left of the current cell.
    r.grid.Select(7, 3, 2, 1);
    EXPECT_EQ(r.grid.Row(), 7);
    EXPECT_EQ(r.grid.RowSel(), 2);
    EXPECT_EQ(r.grid.ColSel(), 1);
    r.grid.Select(7, 3, 9, 4); // only the selection moves
    EXPECT_EQ(r.entered, (Cells{{4, 1}, {4, 2}, {7, 3}}));
}

TEST(GridModelCurrentCell, EnterCellIsNotReenteredAndAHandlerMoveWinsOverTheSelection) {
    Recorded r;
    int depth = 0, maxDepth = 0;
    // Entering column 1 moves on to column 2, as the ground grid does.
    r.grid.EnterCell = [&] {
        maxDepth = std::max(maxDepth, ++depth);
        r.entered.push_back({r.grid.Row(), r.grid.Col()});
        if (r.grid.Col() == 1) {
            r.grid.SetTextMatrix(r.grid.Row(), 1, "0.000");
            r.grid.SetCol(2);
        }
        --depth;
    };
    r.grid.SetRow(3);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(r.grid.Col(), 2);
    EXPECT_EQ(r.grid.TextMatrix(3, 1), "0.000");
    // A user's drag from column 1: the handler's move collapses the selection after it was set.
    r.grid.Select(5, 1, 6, 3);
    EXPECT_EQ(r.grid.Col(), 2);
    EXPECT_EQ(r.grid.RowSel(), 5);
    EXPECT_EQ(r.grid.ColSel(), 2);
    EXPECT_EQ(r.entered, (Cells{{3, 1}, {5, 1}}));
}

TEST(GridModelCurrentCell, AHandlerThatThrowsLeavesEnterCellWorking) {
    Recorded r;
    bool fail = true;
    r.grid.EnterCell = [&] {
        r.entered.push_back({r.grid.Row(), r.grid.Col()});
        if (fail)
            throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(r.grid.SetRow(2), std::runtime_error);
    fail = false;
    r.grid.SetRow(3);
    EXPECT_EQ(r.entered, (Cells{{2, 1}, {3, 1}}));
}

TEST(GridModelGeometry, WidthsHeightsAndTheFirstRowShown) {
    Recorded r;
    GridModel& g = r.grid;
    EXPECT_EQ(g.ColWidth(4), GridModel::kDefaultColWidth);
    g.SetColWidth(1, 0); // hidden, cells kept
    g.SetTextMatrix(1, 1, "0.00");
    EXPECT_EQ(g.ColWidth(1), 0);
    EXPECT_EQ(g.TextMatrix(1, 1), "0.00");
    g.SetColWidth(2, 892);
    g.SetColWidth(3, -7); // any negative width is the default again
    EXPECT_EQ(g.ColWidth(2), 892);
    EXPECT_EQ(g.ColWidth(3), GridModel::kDefaultColWidth);

    EXPECT_EQ(g.RowHeight(5), GridModel::kDefaultRowHeight);
    g.SetRowHeight(5, 300);
    g.SetDefaultRowHeight(255);
    EXPECT_EQ(g.RowHeight(5), 300);
    EXPECT_EQ(g.RowHeight(6), 255);
    g.SetRowHeight(5, -1);
    EXPECT_EQ(g.RowHeight(5), 255);

    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(0); // the fixed rows never scroll
    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(20);
    g.SetRows(10);
    EXPECT_EQ(g.TopRow(), 9);
    g.SetLeftCol(3);
    g.SetFixedCols(4);
    EXPECT_EQ(g.LeftCol(), 4);
}

TEST(GridModelColours, CellColoursAreReadableAndClearForgetsThem) {
    Recorded r;
    GridModel& g = r.grid;
    g.Select(2, 1);
    EXPECT_EQ(g.CellBackColor(), 0u);
    g.SetCellBackColor(0xC0C0C0);
    g.SetCellBackColor(5, 3, 0x0000FF);
    EXPECT_EQ(g.CellBackColor(2, 1), 0xC0C0C0u);
    EXPECT_EQ(g.CellBackColor(5, 3), 0x0000FFu);
    EXPECT_EQ(g.CellBackColor(2, 2), 0u);
    g.SetTextMatrix(2, 1, "#2");
    g.SetColWidth(2, 500);
    g.Clear();
    EXPECT_EQ(g.CellBackColor(), 0u);
    EXPECT_EQ(g.CellBackColor(5, 3), 0u);
    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_EQ(g.ColWidth(2), 500); // the layout stays
    EXPECT_EQ(g.Rows(), 31);
}

TEST(GridModelRedraw, ChangesAreReportedOnlyWhileRedrawIsOn) {
    Recorded r;
    GridModel& g = r.grid;
    std::vector<GridChange> seen;
    g.Changed = [&](GridChange c) { seen.push_back(c); };
    const std::vector<std::pair<std::function<void()>, GridChange>> cases = {
        {[&] { g.SetTextMatrix(3, 2, "1"); }, GridChange::Contents},
        {[&] { g.SetCellBackColor(3, 2, 0xFF); }, GridChange::Contents},
        {[&] { g.SetRow(4); }, GridChange::Contents},
        {[&] { g.SetColSel(3); }, GridChange::Contents},
        {[&] { g.SetForeColor(0x80000017); }, GridChange::Contents},
        {[&] { g.Clear(); }, GridChange::Contents},
        {[&] { g.SetRows(40); }, GridChange::Layout},
        {[&] { g.SetColWidth(1, 0); }, GridChange::Layout},
        {[&] { g.SetTopRow(6); }, GridChange::Layout},
        {[&] { g.Refresh(); }, GridChange::Refresh},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        seen.clear();
        cases[i].first();
        EXPECT_EQ(seen, std::vector<GridChange>{cases[i].second}) << "case " << i;
    }

    seen.clear();
    g.SetRedraw(false);
    EXPECT_FALSE(g.Redraw());
    for (const auto& c : cases)
        c.first();
    EXPECT_EQ(g.TextMatrix(3, 2), ""); // changes are made, only not reported
    EXPECT_EQ(g.ColWidth(1), 0);
    g.SetRedraw(true);
    EXPECT_EQ(seen, (std::vector<GridChange>{GridChange::Redraw, GridChange::Redraw}));
}

} // namespace
