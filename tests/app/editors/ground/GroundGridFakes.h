#pragma once

// In-memory stand-ins for the flexible grid and the floating editor, with the grid's rules on
// moving the current cell: setting Row or Col collapses the selection and runs EnterCell once.

#include "editors/ground/GroundProfileGrid.h"

#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

class FakeGrid : public GroundGridControl {
public:
    int Rows() const override { return rows_; }
    void SetRows(int rows) override { Resize(rows, cols_); }
    int Cols() const override { return cols_; }
    void SetCols(int cols) override { Resize(rows_, cols); }
    std::string TextMatrix(int row, int col) const override { return cells_.at(Index(row, col)); }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        cells_.at(Index(row, col)) = text;
    }
    void Clear() override {
        for (std::string& c : cells_)
            c.clear();
    }
    void SetColWidth(int col, int twips) override { widths.at(static_cast<std::size_t>(col)) = twips; }
    int Row() const override { return row_; }
    void SetRow(int row) override { Move(row, col_); }
    int Col() const override { return col_; }
    void SetCol(int col) override { Move(row_, col); }
    int RowSel() const override { return rowSel_; }
    int ColSel() const override { return colSel_; }
    void SetRedraw(bool redraw) override { redrawOn = redraw; }
    void Refresh() override { ++refreshes; }
    void SetFocus() override { focused = true; }
    Place CurrentCellPlace() const override { return {100 + col_ * 900, 200 + row_ * 240, 892, 240}; }

    // A user's selection: current cell (row, col), other corner (rowSel, colSel).
    void Select(int row, int col, int rowSel, int colSel) {
        Move(row, col);
        rowSel_ = rowSel;
        colSel_ = colSel;
    }

    // Fills data rows from row 1: each entry is the texts of columns 1 to 4.
    void Fill(std::initializer_list<std::vector<std::string>> rows, int first = 1) {
        int r = first;
        for (const auto& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c)
                SetTextMatrix(r, static_cast<int>(c) + 1, row[c]);
            ++r;
        }
    }
    std::vector<std::string> RowTexts(int row) const {
        return {TextMatrix(row, 1), TextMatrix(row, 2), TextMatrix(row, 3), TextMatrix(row, 4)};
    }

    std::function<void()> enterCell;
    std::vector<int> widths = std::vector<int>(5, -1);
    bool redrawOn = true;
    bool focused = false;
    int refreshes = 0;

private:
    std::size_t Index(int row, int col) const {
        if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
            throw std::out_of_range("cell outside the grid");
        return static_cast<std::size_t>(row * cols_ + col);
    }
    void Resize(int rows, int cols) {
        std::vector<std::string> cells(static_cast<std::size_t>(rows * cols));
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c)
                cells[static_cast<std::size_t>(r * cols + c)] = cells_[Index(r, c)];
        rows_ = rows;
        cols_ = cols;
        cells_ = std::move(cells);
        widths.resize(static_cast<std::size_t>(cols), -1);
    }
    void Move(int row, int col) {
        Index(row, col);
        const bool moved = row != row_ || col != col_;
        row_ = rowSel_ = row;
        col_ = colSel_ = col;
        if (moved && enterCell && !inEnterCell_) {
            inEnterCell_ = true;
            enterCell();
            inEnterCell_ = false;
        }
    }

    int rows_ = 2;
    int cols_ = 2;
    std::vector<std::string> cells_ = std::vector<std::string>(4);
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    bool inEnterCell_ = false;
};

class FakeEditor : public GroundCellEditor {
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
    GroundGridControl::Place place;
};

// A 30-row profile grid with its editor, a memory clipboard and the rules wired to the grid's
// EnterCell, as the main window wires them.
struct GroundFixture {
    GroundFixture() {
        grid.enterCell = [this] { rules.GridEnterCell(); };
        rules.InitGroundGrid(ground::kDataRows);
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
        grid.Select(row, col, row, col);
        rules.GridClick();
    }

    FakeGrid grid;
    FakeEditor editor;
    std::string clipboard;
    std::uint8_t lengthUnit = 0;
    GroundProfileGrid rules{
        grid, editor,
        GridClipboard{[this] { return clipboard; }, [this](const std::string& t) { clipboard = t; }},
        lengthUnit};
};
