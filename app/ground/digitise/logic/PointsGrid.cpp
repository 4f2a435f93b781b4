#include "ground/digitise/logic/PointsGrid.h"

#include <algorithm>

#include "editors/ground/GroundProfileGrid.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

namespace digitise {
namespace {

// Rows of this background take no points (the shared grid rule for rows set apart).
constexpr plat::Colour kGreyRow = 0xC0C0C0;

bool Grey(const plat::GridModel& grid, int row) {
    return grid.CellBackColor(row, 0) == kGreyRow;
}

// Columns of the main window's ground grid that the transfer writes.
constexpr int kColY = 2;
constexpr int kColZ = 3;
constexpr int kColMark = 4;

} // namespace

void ResetPoints(plat::GridModel& grid) {
    grid.SetRows(kPointRows);
    grid.SetCols(2);
    grid.SetFixedCols(0);
    grid.Clear();
    grid.SetTextMatrix(0, 0, "Y");
    grid.SetTextMatrix(0, 1, "Z");
    grid.Select(1, 0);
    // Scrolled back to the start: with no fixed column the first column is column 0.
    grid.SetLeftCol(0);
    grid.SetTopRow(1);
}

void SizeGridColumns(plat::GridModel& grid, int widthTwips, int scrollBarTwips) {
    ResetPoints(grid);
    const int column = (widthTwips - scrollBarTwips) / 2;
    grid.SetColWidth(0, column);
    grid.SetColWidth(1, column);
}

std::string CommitCellText(std::string_view text) {
    constexpr std::string_view kCompare = "#####0.00";
    try {
        const double v = plat::Val(text);
        if (plat::FormatText(plat::Trim(plat::Str(v)), kCompare) !=
            plat::FormatText(plat::Trim(text), kCompare))
            return "0.00";
        return plat::Format(v, kPointFormat);
    } catch (const plat::OverflowError&) {
        return "0.00";
    }
}

std::pair<int, int> CellAfterCommit(CommitKey key, int row, int col, int rows) {
    const int last = rows - 1;
    switch (key) {
    case CommitKey::Enter:
    case CommitKey::Right:
        if (col == 0)
            return {row, 1};
        return row < last ? std::pair{row + 1, 0} : std::pair{row, col};
    case CommitKey::Left:
        return {row, 0};
    case CommitKey::Up:
        return {row > 1 ? row - 1 : row, col};
    case CommitKey::Down:
        return {row < last ? row + 1 : row, col};
    }
    return {row, col};
}

std::string CopyGridToClipboard(const plat::GridModel& grid) {
    const int r0 = std::min(grid.Row(), grid.RowSel());
    const int r1 = std::max(grid.Row(), grid.RowSel());
    const int c0 = std::min(grid.Col(), grid.ColSel());
    const int c1 = std::max(grid.Col(), grid.ColSel());
    std::string text;
    for (int r = r0; r <= r1; ++r) {
        if (Grey(grid, r))
            continue;
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                text += '\t';
            text += plat::Trim(grid.TextMatrix(r, c));
        }
        text += "\r\n";
    }
    return text;
}

void PasteClipboardToGrid(plat::GridModel& grid, int row, int col, std::string_view text) {
    const editors::PasteRules rules{
        [&grid](int r) {
            while (r < grid.Rows() && Grey(grid, r))
                ++r;
            return r;
        },
        [&grid](int r, int c) { return r >= 1 && r < grid.Rows() && c >= 0 && c < grid.Cols(); }};
    editors::PasteText(grid, row, col, text, rules);
}

std::string TransferToProfile(const plat::GridModel& points, plat::GridModel& ground) {
    int count = 0;
    while (count + 1 < points.Rows() && !points.TextMatrix(count + 1, 0).empty())
        ++count;
    const int capacity = ground.Rows() - 1;
    if (count > capacity)
        return "The ground grid holds " + std::to_string(capacity) + " points; " + std::to_string(count) +
               " were digitized. Remove points before the transfer.";
    ground.SetRedraw(false);
    for (int r = 1; r < ground.Rows(); ++r) {
        for (int c : {kColY, kColZ, kColMark})
            ground.SetTextMatrix(r, c, "");
    }
    for (int r = 1; r <= count; ++r) {
        ground.SetTextMatrix(r, kColY, points.TextMatrix(r, 0));
        ground.SetTextMatrix(r, kColZ, points.TextMatrix(r, 1));
        ground.SetTextMatrix(r, kColMark, " X ");
    }
    ground.SetRedraw(true);
    ground.Refresh();
    return {};
}

} // namespace digitise
