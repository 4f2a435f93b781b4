#pragma once

// The profile rules over a real grid model, with an in-memory floating editor, a memory clipboard
// and the window's focus and cell place recorded.

#include "editors/ground/GroundProfileGrid.h"
#include "shell/model/ParamFile.h"

#include <initializer_list>
#include <string>
#include <vector>

class FakeEditor : public editors::GroundCellEditor {
public:
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
    void SelectAll() override { allSelected = true; }
    void CaretToEnd() override { allSelected = false; }
    void Move(int l, int t, int w, int h) override { place = {l, t, w, h}; }
    void SetFocus() override { focused = true; }

    bool visible = false;
    std::string text;
    bool allSelected = false;
    bool focused = false;
    editors::CellPlace place;
};

// Fills data rows from row `first`: each entry is the texts of columns 1 to 4.
inline void Fill(plat::GridModel& g, std::initializer_list<std::vector<std::string>> rows, int first = 1) {
    int r = first;
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            g.SetTextMatrix(r, static_cast<int>(c) + 1, row[c]);
        ++r;
    }
}

inline std::vector<std::string> RowTexts(const plat::GridModel& g, int row) {
    return {g.TextMatrix(row, 1), g.TextMatrix(row, 2), g.TextMatrix(row, 3), g.TextMatrix(row, 4)};
}

// A 30-row profile grid with its editor, a memory clipboard and the rules wired to the grid's
// EnterCell, as the main window wires them. The window's cell place is a function of the cell.
struct GroundFixture {
    GroundFixture() {
        grid.EnterCell = [this] { rules.GridEnterCell(); };
        grid.Changed = [this](plat::GridChange change) {
            if (change == plat::GridChange::Refresh)
                ++refreshes;
        };
        rules.InitGroundGrid(editors::kDataRows);
    }
    void Press(int keyAscii) { rules.GridKeyPress(keyAscii); }
    void Type(const std::string& keys) {
        for (char ch : keys) {
            int k = static_cast<unsigned char>(ch);
            if (editor.visible)
                editor.text += ch;
            else
                rules.GridKeyPress(k);
        }
    }
    int EditorKey(int keyAscii) {
        rules.EditorKeyPress(keyAscii);
        return keyAscii;
    }
    void EditorArrow(int keyCode) { rules.EditorKeyDown(keyCode, 0); }
    void GridKeyDown(int keyCode) { rules.GridKeyDown(keyCode, 0); }
    // A click moves the current cell (running EnterCell) before the grid reports it.
    void Click(int row, int col) {
        if (editor.visible)
            rules.EditorLostFocus();
        grid.Select(row, col);
        rules.GridClick();
    }
    editors::CellPlace Place() const { return {100 + grid.Col() * 900, 200 + grid.Row() * 240, 892, 240}; }

    plat::GridModel grid;
    FakeEditor editor;
    std::string clipboard;
    std::uint8_t lengthUnit = 0;
    bool gridFocused = false;
    int refreshes = 0;
    editors::GroundProfileGrid rules{
        grid, editor, editors::GroundGridWindow{[this] { gridFocused = true; }, [this] { return Place(); }},
        editors::GridClipboard{[this] { return clipboard; }, [this](const std::string& t) { clipboard = t; }},
        lengthUnit};
};
