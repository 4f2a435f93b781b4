#include "editors/ground/GroundProfileGrid.h"

#include "common/modFunctions.h"
#include "platform/text/KeyCodes.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

using namespace common;

namespace editors {

namespace {

constexpr char kCellFormat[] = "####0.000";
constexpr char kMovedFormat[] = "#####0.000";

bool Filled(const plat::GridModel& g, int row, int col) {
    return !plat::Trim(g.TextMatrix(row, col)).empty();
}

bool Marked(const plat::GridModel& g, int row) {
    return plat::Trim(g.TextMatrix(row, editors::kColMark)) == "X";
}

bool HoldsNumber(const plat::GridModel& g, int row, int col) {
    const std::string t = plat::Trim(g.TextMatrix(row, col));
    return !t.empty() && plat::IsNumeric(t);
}

// The editor's text as Enter and the arrows write it: empty becomes 0, numbers get three decimals.
std::string CellText(const std::string& guarded) {
    if (plat::Trim(guarded).empty())
        return "0.000";
    return plat::FormatText(guarded, kCellFormat);
}

// A height as Flatten saves it. Pasted text is not checked: a number that a single cannot hold is
// saved as no height, so that Restore stops there rather than write a wrong value.
float SavedHeight(const std::string& z) {
    try {
        const double v = plat::Val(z);
        if (std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max())
            return static_cast<float>(v);
    } catch (const plat::OverflowError&) {
    }
    return editors::kNoHeight;
}

// Control characters other than the ones the grid acts on are no text to type into a cell.
} // namespace

GroundProfileGrid::GroundProfileGrid(plat::GridModel& grid, GroundCellEditor& editor, GroundGridWindow window,
                                     GridClipboard clipboard, const std::uint8_t& lengthUnit)
    : grid_(grid), editor_(editor), window_(std::move(window)), clipboard_(std::move(clipboard)),
      lengthUnit_(lengthUnit) {}

void GroundProfileGrid::FocusGrid() {
    if (window_.focusGrid)
        window_.focusGrid();
}

void GroundProfileGrid::InitGroundGrid(int n) {
    // An edit left open belongs to the profile being replaced.
    if (editor_.Visible())
        CloseEditor();
    // So do the heights a flatten saved: restoring them would write another profile's rows.
    savedHeights_.fill(0.0f);
    heightsSaved_ = false;
    grid_.Clear();
    grid_.SetRedraw(false);
    grid_.SetRows(n + 1);
    grid_.SetCols(5);
    const int widths[] = {265, 0, 892, 892, 270};
    const char* headers[] = {"", "       X", "       Y", "       Z", " "};
    for (int c = 0; c < 5; ++c) {
        grid_.SetColWidth(c, widths[c]);
        grid_.SetTextMatrix(0, c, headers[c]);
    }
    for (int r = 1; r <= n; ++r)
        grid_.SetTextMatrix(r, 0, std::to_string(r));
    const char* defaults[2][4] = {{"0.00", "-1000.00", "0.00", " X"}, {"0.00", "20000.00", "0.00", " X"}};
    for (int r = 1; r <= 2 && r <= n; ++r)
        for (int c = 1; c <= 4; ++c)
            grid_.SetTextMatrix(r, c, defaults[r - 1][c - 1]);
    // Typing must not land in the hidden X column, where a new grid's current cell starts.
    if (grid_.Col() <= editors::kColX)
        grid_.SetCol(editors::kColY);
    grid_.SetRedraw(true);
}

void GroundProfileGrid::GridKeyPress(int& keyAscii) {
    editRow_ = grid_.Row();
    editCol_ = grid_.Col();
    if (editCol_ == editors::kColMark) {
        grid_.SetTextMatrix(editRow_, editCol_, Marked(grid_, editRow_) ? "" : " X ");
        return;
    }
    if (editor_.Visible()) {
        const std::string text = editor_.Text();
        if (keyAscii == plat::ascii::Enter)
            editor_.SetText(plat::FormatText(text, kCellFormat));
        else if (keyAscii == plat::ascii::Backspace && !text.empty())
            editor_.SetText(text.substr(0, text.size() - 1));
        else if (plat::PrintableAscii(keyAscii))
            editor_.SetText(text + static_cast<char>(keyAscii));
        return;
    }
    switch (keyAscii) {
    case plat::ascii::Backspace:
        for (int c = editors::kColX; c <= editors::kColZ; ++c)
            grid_.SetTextMatrix(editRow_, c, "");
        CompactGroundGrid();
        return;
    case plat::ascii::CtrlV:
        PasteIntoGroundGrid(editRow_, editCol_);
        keyAscii = 0;
        return;
    case plat::ascii::CtrlC:
        CopyGroundGridSelection();
        keyAscii = 0;
        return;
    default:
        if (keyAscii == plat::ascii::Enter || plat::PrintableAscii(keyAscii))
            OpenEditor(keyAscii);
    }
}

void GroundProfileGrid::OpenEditor(int keyAscii) {
    const CellPlace p = window_.currentCellPlace ? window_.currentCellPlace() : CellPlace{};
    editor_.SetVisible(true);
    editor_.Move(p.left, p.top - 15, p.width + 15, p.height - 100);
    editor_.SetFocus();
    editor_.SetText(plat::Trim(grid_.TextMatrix(grid_.Row(), grid_.Col())));
    editor_.SelectAll();
    if (keyAscii != plat::ascii::Enter) {
        editor_.SetText(std::string(1, static_cast<char>(keyAscii)));
        editor_.CaretToEnd();
    }
}

void GroundProfileGrid::GridKeyDown(int& keyCode, int /*shift*/) {
    if (keyCode == plat::key::Delete && grid_.Col() != editors::kColMark)
        DeleteRow(grid_.Row());
}

void GroundProfileGrid::DeleteRow(int row) {
    const int last = grid_.Rows() - 1;
    for (int c = editors::kColX; c <= editors::kColMark; ++c)
        grid_.SetTextMatrix(row, c, "");
    int r = row + 1;
    for (; r <= last && Filled(grid_, r, editors::kColY); ++r)
        for (int c = editors::kColX; c <= editors::kColMark; ++c)
            grid_.SetTextMatrix(r - 1, c, grid_.TextMatrix(r, c));
    if (r > row + 1)
        for (int c = editors::kColX; c <= editors::kColMark; ++c)
            grid_.SetTextMatrix(r - 1, c, "");
    grid_.Refresh();
}

void GroundProfileGrid::GridClick() {
    if (editor_.Visible()) {
        grid_.SetTextMatrix(editRow_, editCol_, editor_.Text());
        CloseEditor();
        grid_.Refresh();
    }
    const int r = grid_.Row();
    if (grid_.Col() != editors::kColMark || !Filled(grid_, r, editors::kColZ) || r < 2)
        return;
    if (r > 2)
        for (int k = 1; k <= r; ++k)
            grid_.SetTextMatrix(k, editors::kColMark, " X");
    for (int k = r + 1; k < grid_.Rows() && Filled(grid_, k, editors::kColZ); ++k)
        grid_.SetTextMatrix(k, editors::kColMark, " ");
}

void GroundProfileGrid::GridEnterCell() {
    if (grid_.Col() != editors::kColX)
        return;
    grid_.SetTextMatrix(grid_.Row(), editors::kColX, "0.000");
    grid_.SetCol(editors::kColY);
}

void GroundProfileGrid::CloseEditor() {
    editor_.SetVisible(false);
    editor_.SetText("");
}

void GroundProfileGrid::MarkRowLeft(int row) {
    const bool complete = Filled(grid_, row, editors::kColY) && Filled(grid_, row, editors::kColZ);
    grid_.SetTextMatrix(row, editors::kColMark, complete ? " X " : "");
}

void GroundProfileGrid::EditorKeyPress(int& keyAscii) {
    if (keyAscii == plat::ascii::Escape) {
        CloseEditor();
        // Typing goes on in the grid, as after Enter.
        FocusGrid();
        keyAscii = 0;
        return;
    }
    if (keyAscii != plat::ascii::Enter)
        return;
    keyAscii = 0;
    const std::string text = GuardedNumericText(ConvertedBoxText(editor_.Text(), lengthUnit_));
    const int row = grid_.Row();
    const int col = grid_.Col();
    grid_.SetTextMatrix(row, col, CellText(text));
    CloseEditor();
    if (col == editors::kColX || col == editors::kColY) {
        grid_.SetCol(col + 1);
    } else if (col == editors::kColZ && row < grid_.Rows() - 1) {
        MarkRowLeft(row);
        grid_.SetRow(row + 1);
        grid_.SetCol(editors::kColX);
    } else if (col == editors::kColZ) {
        grid_.SetCol(col - 1);
    }
    FocusGrid();
}

void GroundProfileGrid::EditorKeyDown(int& keyCode, int /*shift*/) {
    if (keyCode != plat::key::Up && keyCode != plat::key::Down)
        return;
    const std::string text = GuardedNumericText(editor_.Text());
    const int row = grid_.Row();
    grid_.SetTextMatrix(row, grid_.Col(), CellText(text));
    CloseEditor();
    const bool up = keyCode == plat::key::Up;
    if ((up && row <= 1) || (!up && row >= grid_.Rows() - 1)) {
        FocusGrid();
        return;
    }
    MarkRowLeft(row);
    grid_.SetRow(up ? row - 1 : row + 1);
    FocusGrid();
}

void GroundProfileGrid::EditorLostFocus() {
    if (!editor_.Visible())
        return;
    editor_.SetText(GuardedNumericText(ConvertedBoxText(editor_.Text(), lengthUnit_)));
}

void GroundProfileGrid::CommitOpenEdit() {
    if (!editor_.Visible())
        return;
    const std::string text = GuardedNumericText(ConvertedBoxText(editor_.Text(), lengthUnit_));
    grid_.SetTextMatrix(editRow_, editCol_, CellText(text));
    CloseEditor();
}

bool GroundProfileGrid::RowComplete(int row) const {
    return HoldsNumber(grid_, row, editors::kColY) && HoldsNumber(grid_, row, editors::kColZ);
}

void GroundProfileGrid::CompactGroundGrid() {
    grid_.SetRedraw(false);
    const int row = grid_.Row();
    const int col = grid_.Col();
    std::deque<int> free;
    for (int r = 1; r < grid_.Rows(); ++r) {
        if (!RowComplete(r)) {
            free.push_back(r);
            continue;
        }
        // The hidden X of a profile point is always 0; pasted and digitised rows leave it empty.
        if (!Filled(grid_, r, editors::kColX))
            grid_.SetTextMatrix(r, editors::kColX, "0.000");
        if (free.empty())
            continue;
        const int to = free.front();
        free.pop_front();
        for (int c = editors::kColX; c <= editors::kColZ; ++c) {
            grid_.SetTextMatrix(to, c, plat::FormatText(plat::Trim(grid_.TextMatrix(r, c)), kMovedFormat));
            grid_.SetTextMatrix(r, c, "");
        }
        free.push_back(r);
    }
    grid_.SetRow(row);
    grid_.SetCol(col);
    grid_.SetRedraw(true);
}

void GroundProfileGrid::PasteIntoGroundGrid(int row, int col) {
    grid_.SetRedraw(false);
    const std::string text = clipboard_.getText ? clipboard_.getText() : std::string();
    const PasteRules rules{[](int r) { return r; },
                           [this](int r, int c) { return r >= 0 && r < grid_.Rows() && c >= 0 && c < grid_.Cols(); }};
    const std::vector<int> rows = PasteText(grid_, row, col, text, rules);
    // Pasted rows join the profile as typed ones do once their Y and Z are numbers.
    for (const int pasted : rows)
        if (pasted >= 1 && RowComplete(pasted) && !Marked(grid_, pasted))
            grid_.SetTextMatrix(pasted, editors::kColMark, " X ");
    grid_.SetRow(row);
    grid_.SetCol(col);
    grid_.SetRedraw(true);
}

void GroundProfileGrid::CopyGroundGridSelection() {
    // The selection may have been drawn upwards or to the left of the current cell.
    const int r1 = std::min(grid_.Row(), grid_.RowSel());
    const int r2 = std::max(grid_.Row(), grid_.RowSel());
    const int c1 = std::min(grid_.Col(), grid_.ColSel());
    const int c2 = std::max(grid_.Col(), grid_.ColSel());
    std::string text;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            text += plat::Trim(grid_.TextMatrix(r, c)) + (c < c2 ? "\t" : "\r\n");
    if (clipboard_.setText)
        clipboard_.setText(text);
}

void GroundProfileGrid::FlattenTerrain() {
    grid_.SetRedraw(false);
    const int last = std::min<int>(grid_.Rows() - 1, savedHeights_.size());
    for (int r = 1; r <= last; ++r) {
        const std::string z = plat::Trim(grid_.TextMatrix(r, editors::kColZ));
        savedHeights_[r - 1] = z.empty() ? editors::kNoHeight : SavedHeight(z);
    }
    heightsSaved_ = true;
    const int r1 = std::max(1, std::min(grid_.Row(), grid_.RowSel()));
    const int r2 = std::max(grid_.Row(), grid_.RowSel());
    for (int r = r1; r <= r2 && r < grid_.Rows(); ++r)
        if (Filled(grid_, r, editors::kColZ))
            grid_.SetTextMatrix(r, editors::kColZ, "0.000");
    grid_.SetRedraw(true);
    grid_.Refresh();
}

void GroundProfileGrid::RestoreTerrain() {
    if (!heightsSaved_)
        return;
    grid_.SetRedraw(false);
    for (int r = 1; r < grid_.Rows() && r <= static_cast<int>(savedHeights_.size()); ++r) {
        const float z = savedHeights_[r - 1];
        if (z == editors::kNoHeight)
            break;
        grid_.SetTextMatrix(r, editors::kColZ, plat::Format(z, kCellFormat));
    }
    grid_.SetRedraw(true);
    grid_.Refresh();
}

std::vector<int> PasteText(plat::GridModel& grid, int row, int col, std::string_view text, const PasteRules& rules) {
    int r = rules.rowFrom(row);
    int c = col;
    bool newCell = true;
    std::vector<int> rows;
    for (const char ch : text) {
        if (ch == '\t') {
            ++c;
            newCell = true;
        } else if (ch == '\r') {
            // A line ends at its LF, whether or not a CR comes before it.
        } else if (ch == '\n') {
            r = rules.rowFrom(r + 1);
            c = col;
            newCell = true;
        } else {
            if (rules.takes(r, c)) {
                const std::string old = newCell ? std::string() : grid.TextMatrix(r, c);
                grid.SetTextMatrix(r, c, old + ch);
                if (rows.empty() || rows.back() != r)
                    rows.push_back(r);
            }
            newCell = false;
        }
    }
    return rows;
}

std::string ConvertCell(const std::string& strdat) {
    if (strdat.find('\'') == std::string::npos)
        return strdat.substr(0, 10);
    std::vector<double> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t q = strdat.find('\'', start);
        pieces.push_back(
            plat::Val(strdat.substr(start, q == std::string::npos ? std::string::npos : q - start)));
        if (q == std::string::npos)
            break;
        start = q + 1;
    }
    if (pieces.size() > 3)
        return strdat;
    double value = pieces[0];
    if (pieces.size() > 1)
        value += pieces[1] / 60.0;
    if (pieces.size() > 2)
        value += pieces[2] / 3600.0;
    return plat::GeneralText(value).substr(0, 10);
}

int CheckRow(plat::GridModel& grid, int row) {
    grid.SetRow(row);
    for (int c = 2; c < grid.Cols(); ++c)
        if (grid.TextMatrix(row, c).empty())
            return 0;
    return 1;
}

} // namespace editors
