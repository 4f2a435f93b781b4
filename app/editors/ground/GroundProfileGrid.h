#pragma once

// The two-dimensional ground profile grid of the main window and its floating cell editor: rules
// over the grid's model (plat::GridModel) and a small editor interface (GroundCellEditor), with what
// they need of the window (GroundGridWindow). The window connects its flexible grid and text box;
// the tests connect a model and an in-memory editor.

#include "platform/grid/GridModel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace editors {

// A cell's place in twips, in the coordinates of the grid's container.
struct CellPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the rules need of the window showing the grid: giving the grid the focus and the current
// cell's place as it is shown now.
struct GroundGridWindow {
    std::function<void()> focusGrid;
    std::function<CellPlace()> currentCellPlace;
};

// The floating text box that edits one cell.
class GroundCellEditor {
public:
    virtual ~GroundCellEditor() = default;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SelectAll() = 0;
    virtual void CaretToEnd() = 0;
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual void SetFocus() = 0;
};

// The clipboard's text as the copy and paste keys use it.
struct GridClipboard {
    std::function<std::string()> getText;
    std::function<void(const std::string&)> setText;
};

// Layout of the profile grid.
inline constexpr int kColX = 1;
inline constexpr int kColY = 2;
inline constexpr int kColZ = 3;
inline constexpr int kColMark = 4;
inline constexpr int kDataRows = 30;
// SavedHeights entry of a row whose height was empty when it was saved.
inline constexpr float kNoHeight = 999999.0f;

class GroundProfileGrid {
public:
    // lengthUnit is the display unit that typed unit suffixes convert into (LengthUnit).
    GroundProfileGrid(plat::GridModel& grid, GroundCellEditor& editor, GroundGridWindow window,
                      GridClipboard clipboard, const std::uint8_t& lengthUnit);

    // Builds the grid for n data rows with the flat default profile in rows 1 and 2, dropping the
    // heights saved from the profile it replaces.
    void InitGroundGrid(int n);

    // Events of the grid.
    void GridKeyPress(int& keyAscii);
    void GridKeyDown(int& keyCode, int shift);
    void GridClick();
    void GridEnterCell();

    // Events of the floating editor.
    void EditorKeyPress(int& keyAscii);
    void EditorKeyDown(int& keyCode, int shift);
    void EditorLostFocus();

    // Writes an edit still open in the floating editor into its cell (converted, checked and
    // formatted as Enter does) and closes the editor; nothing happens when it is closed. The
    // collector calls it so that a save or a run takes what the screen shows.
    void CommitOpenEdit();

    // Moves the complete rows (Y and Z hold numbers) up over incomplete ones, keeping their order.
    void CompactGroundGrid();
    // Pastes TAB- and line-separated text from cell (row, col) on. A pasted row whose Y and Z are
    // numbers gets the profile mark, as a typed one does.
    void PasteIntoGroundGrid(int row, int col);
    // Puts the selected cells on the clipboard as TAB- and CR LF-separated text.
    void CopyGroundGridSelection();

    // "Flatten Terrain": saves every height, then sets the selected rows' heights to 0.
    void FlattenTerrain();
    // "Restore Terrain": writes the heights of the last flatten back; nothing before any flatten.
    void RestoreTerrain();
    // Whether a flatten of this profile has saved heights for RestoreTerrain.
    bool CanRestore() const { return heightsSaved_; }

    int EditRow() const { return editRow_; }
    int EditCol() const { return editCol_; }

private:
    bool RowComplete(int row) const;
    void MarkRowLeft(int row);
    void CloseEditor();
    void OpenEditor(int keyAscii);
    void DeleteRow(int row);

    void FocusGrid();

    plat::GridModel& grid_;
    GroundCellEditor& editor_;
    GroundGridWindow window_;
    GridClipboard clipboard_;
    const std::uint8_t& lengthUnit_;
    int editRow_ = 0;
    int editCol_ = 0;
    std::array<float, 100> savedHeights_{};
    bool heightsSaved_ = false;
};

// Where pasted text may land, the part of the paste rules that differs between the grids: the row
// that text meant for a row goes to (a grid may step over rows that take none), and whether a cell
// takes text.
struct PasteRules {
    std::function<int(int row)> rowFrom;
    std::function<bool(int row, int col)> takes;
};

// Writes TAB- and line-separated text into the grid from (row, col): TAB moves one column right, a
// line end (LF, with or without CR before it) to the next row at the starting column. The first
// character reaching a cell replaces its text, later ones are appended; characters for cells that
// take none are dropped. Returns the rows written, in order.
std::vector<int> PasteText(plat::GridModel& grid, int row, int col, std::string_view text, const PasteRules& rules);

// Degrees'minutes'seconds text ("12'30'36") as its decimal degrees' text; text without "'" as it is;
// more than three pieces unchanged. Other results are cut to 10 characters.
std::string ConvertCell(const std::string& strdat);

// 1 when the cells of columns 2 to Cols - 1 of the row are all non-empty, else 0; the row becomes the
// grid's current row.
int CheckRow(plat::GridModel& grid, int row);

} // namespace editors
