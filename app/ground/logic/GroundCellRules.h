#pragma once

// The ground editor's cell editing: the floating box over a node cell (Enter, Escape, the arrows,
// a click on the grid) and the copy and paste keys. It shares the main window's profile grid's
// editor and clipboard interfaces; the rules differ (two decimals, the "U" suffix, header rows).

#include "editors/ground/GroundProfileGrid.h"
#include "platform/grid/GridModel.h"

#include <cstdint>
#include <functional>
#include <string>

namespace ground {

class GroundCellRules {
public:
    // dataChanged runs on every change of the grid's data by these rules and on every key in the
    // grid, as the window's saved state counts them. lengthUnit is the display unit that typed unit
    // suffixes convert into.
    GroundCellRules(plat::GridModel& grid, editors::GroundCellEditor& editor,
                    editors::GroundGridWindow window, editors::GridClipboard clipboard,
                    const std::uint8_t& lengthUnit, std::function<void()> dataChanged);

    // Events of the grid.
    void GridKeyPress(int& keyAscii);
    void GridClick();
    // Events of the floating box.
    void EditorKeyPress(int& keyAscii);
    void EditorKeyDown(int& keyCode, int shift);
    void EditorLostFocus();

    // The clipboard commands ("Copy Cells", "Paste Cells" at the current cell).
    void CopyCells();
    void PasteCells(int row, int col);
    // Hides and empties the box, keeping its cell as it is (before the grid is laid out anew).
    void CloseEditor();
    // Writes a value still open in the box into its cell as Enter does; nothing when the box is
    // closed. The window's commands call it first, so that they work on what the screen shows.
    void CommitOpenEdit();

    int EditRow() const { return editRow_; }
    int EditCol() const { return editCol_; }

private:
    void OpenEditor(int keyAscii);
    // Writes the box's text into the edit cell as Enter and the arrows do and closes the box.
    void Commit(bool unitSuffix);
    void FocusGrid();
    void Changed();

    plat::GridModel& grid_;
    editors::GroundCellEditor& editor_;
    editors::GroundGridWindow window_;
    editors::GridClipboard clipboard_;
    const std::uint8_t& lengthUnit_;
    std::function<void()> dataChanged_;
    int editRow_ = 1;
    int editCol_ = 1;
};

// What Enter or an arrow makes of the box's text: converted into the display unit; with unitSuffix
// a trailing "U" or "u" multiplies by 45.45; "0.00" for text that is not a number; two decimals.
std::string CommittedCellText(const std::string& boxText, std::uint8_t lengthUnit, bool unitSuffix);

} // namespace ground
