#include "ground/logic/GroundCellRules.h"

#include "common/modFunctions.h"
#include "ground/logic/GroundGrid.h"
#include "ground/logic/GroundOperations.h"
#include "platform/text/KeyCodes.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

namespace ground {

namespace {

constexpr char kCellFormat[] = "####0.00";
constexpr char kCheckFormat[] = "#####0.00";
constexpr double kUnitsPerU = 45.45;

// The leading number of a text, or nothing when it is beyond any range.
std::optional<double> Leading(const std::string& text) {
    try {
        return plat::Val(text);
    } catch (const plat::OverflowError&) {
        return std::nullopt;
    }
}

} // namespace

std::string CommittedCellText(const std::string& boxText, std::uint8_t lengthUnit, bool unitSuffix) {
    std::string text = common::ConvertedBoxText(boxText, lengthUnit);
    if (unitSuffix && !text.empty() && (text.back() == 'U' || text.back() == 'u')) {
        text.pop_back();
        const std::optional<double> v = Leading(text);
        text = v ? plat::GeneralText(*v * kUnitsPerU) : text;
    }
    const std::optional<double> v = Leading(text);
    if (!v || plat::Format(*v, kCheckFormat) != plat::FormatText(text, kCheckFormat))
        return "0.00";
    return plat::Format(*v, kCellFormat);
}

GroundCellRules::GroundCellRules(plat::GridModel& grid, editors::GroundCellEditor& editor,
                                 editors::GroundGridWindow window, editors::GridClipboard clipboard,
                                 const std::uint8_t& lengthUnit, std::function<void()> dataChanged)
    : grid_(grid), editor_(editor), window_(std::move(window)), clipboard_(std::move(clipboard)),
      lengthUnit_(lengthUnit), dataChanged_(std::move(dataChanged)) {}

void GroundCellRules::FocusGrid() {
    if (window_.focusGrid)
        window_.focusGrid();
}

void GroundCellRules::Changed() {
    if (dataChanged_)
        dataChanged_();
}

void GroundCellRules::GridKeyPress(int& keyAscii) {
    editRow_ = grid_.Row();
    editCol_ = grid_.Col();
    Changed();
    if (keyAscii == plat::ascii::CtrlV) {
        PasteCells(editRow_, editCol_);
        keyAscii = 0;
        return;
    }
    if (keyAscii == plat::ascii::CtrlC) {
        CopyCells();
        keyAscii = 0;
        return;
    }
    if (grid_.CellBackColor(editRow_, editCol_) == kHeaderColour)
        return;
    if (!editor_.Visible()) {
        if (keyAscii == plat::ascii::Enter || plat::PrintableAscii(keyAscii))
            OpenEditor(keyAscii);
        return;
    }
    const std::string text = editor_.Text();
    if (keyAscii == plat::ascii::Enter) {
        // A text that is not already a plain number is no value to keep.
        const std::string trimmed = plat::Trim(text);
        const std::optional<double> v = Leading(trimmed);
        const bool plain = v && trimmed == plat::GeneralText(*v);
        editor_.SetText(plain ? plat::Format(*v, kCellFormat) : "0.00");
    } else if (keyAscii == plat::ascii::Backspace && !text.empty()) {
        editor_.SetText(text.substr(0, text.size() - 1));
    } else if (plat::PrintableAscii(keyAscii)) {
        editor_.SetText(text + static_cast<char>(keyAscii));
    }
}

void GroundCellRules::OpenEditor(int keyAscii) {
    const editors::CellPlace p = window_.currentCellPlace ? window_.currentCellPlace() : editors::CellPlace{};
    editor_.SetVisible(true);
    editor_.Move(p.left, p.top, p.width + 15, p.height - 100);
    editor_.SetFocus();
    if (keyAscii == plat::ascii::Enter) {
        editor_.SetText(grid_.TextMatrix(editRow_, editCol_));
        editor_.SelectAll();
    } else {
        editor_.SetText(std::string(1, static_cast<char>(keyAscii)));
        editor_.CaretToEnd();
    }
}

void GroundCellRules::GridClick() {
    if (!editor_.Visible())
        return;
    const int row = grid_.Row();
    const int col = grid_.Col();
    grid_.SetTextMatrix(editRow_, editCol_, editor_.Text());
    CloseEditor();
    Changed();
    grid_.Select(row, col);
    grid_.Refresh();
}

void GroundCellRules::CloseEditor() {
    editor_.SetVisible(false);
    editor_.SetText("");
}

void GroundCellRules::CommitOpenEdit() {
    if (editor_.Visible())
        Commit(true);
}

void GroundCellRules::Commit(bool unitSuffix) {
    if (editRow_ < grid_.Rows() && editCol_ < grid_.Cols())
        grid_.SetTextMatrix(editRow_, editCol_, CommittedCellText(editor_.Text(), lengthUnit_, unitSuffix));
    CloseEditor();
    Changed();
}

void GroundCellRules::EditorKeyPress(int& keyAscii) {
    if (keyAscii == plat::ascii::Escape) {
        CloseEditor();
        FocusGrid();
        keyAscii = 0;
        return;
    }
    if (keyAscii != plat::ascii::Enter)
        return;
    keyAscii = 0;
    Commit(true);
    const int row = editRow_;
    const int col = editCol_;
    if (col < kColZ)
        grid_.Select(row, col + 1);
    else if (row < grid_.Rows() - 1)
        grid_.Select(row + 1, kColX);
    else
        grid_.Select(row, kColX + 1);
    FocusGrid();
}

void GroundCellRules::EditorKeyDown(int& keyCode, int /*shift*/) {
    if (keyCode < plat::key::Left || keyCode > plat::key::Down)
        return;
    Commit(false);
    const int last = grid_.Rows() - 1;
    int row = editRow_;
    int col = editCol_;
    switch (keyCode) {
    case plat::key::Up:
        row = row > 1 ? row - 1 : row;
        break;
    case plat::key::Down:
        row = row < last ? row + 1 : row;
        break;
    case plat::key::Left:
        if (col > kColX)
            --col;
        else if (row > 1) {
            --row;
            col = kColZ;
        }
        break;
    case plat::key::Right:
        if (col < kColZ)
            ++col;
        else if (row < last) {
            ++row;
            col = kColX;
        }
        break;
    default:
        break;
    }
    grid_.Select(row, col);
    keyCode = 0;
    FocusGrid();
}

void GroundCellRules::EditorLostFocus() {
    if (editor_.Visible())
        editor_.SetText(common::GuardedNumericText(common::ConvertedBoxText(editor_.Text(), lengthUnit_)));
}

void GroundCellRules::CopyCells() {
    if (clipboard_.setText)
        clipboard_.setText(ground::CopyCells(grid_));
}

void GroundCellRules::PasteCells(int row, int col) {
    ground::PasteCells(grid_, row, col, clipboard_.getText ? clipboard_.getText() : std::string());
    Changed();
    grid_.Refresh();
}

} // namespace ground
