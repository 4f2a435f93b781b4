#ifndef PLATFORM_UI_FLEXGRID_H
#define PLATFORM_UI_FLEXGRID_H

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

namespace plat {

class GridView;

// The flexible grid: a table of text cells whose first FixedRows rows and FixedCols columns are
// fixed (grey, not scrolled, not selectable by the user) but addressable like the others.
// The current cell is (Row, Col); the selection runs from it to (RowSel, ColSel), which may lie
// above or left of it. Setting Row or Col moves the current cell and collapses the selection onto
// it. EnterCell fires whenever the current cell changes, by the user or by code; a change made
// while EnterCell runs fires no second EnterCell. Widths and heights are in twips; a column of
// width 0 is hidden but keeps its cells. Out-of-range rows and columns raise std::out_of_range.
class FlexGrid : public Control {
public:
    FlexGrid(Container& parent, std::string name, int index = -1);
    std::string TypeName() const override { return "MSFlexGrid"; }

    int Rows() const { return rows_; }
    void SetRows(int rows);
    int Cols() const { return cols_; }
    void SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);

    std::string TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const std::string& text);
    // The current cell's text.
    std::string Text() const { return TextMatrix(row_, col_); }
    void SetText(const std::string& text) { SetTextMatrix(row_, col_, text); }
    // Empties every cell and forgets cell colours; the layout stays.
    void Clear();

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);

    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row);
    int ColSel() const { return colSel_; }
    void SetColSel(int col);
    // The first scrollable row shown.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);

    // The current cell's back colour: the colour set for it, or 0 when it has none (it then
    // shows BackColor, or the fixed colour in the fixed part).
    Colour CellBackColor() const;
    void SetCellBackColor(Colour colour);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);

    // The current cell's place in twips, relative to the grid's own left and top, as it is
    // scrolled now (a window adds the grid's Left and Top to float an editor over the cell).
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

    // False suspends painting until it is set true again.
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool redraw);
    void Refresh();

    std::function<void()> EnterCell;
    std::function<void()> Click;
    // Mouse button released over the grid: button 1 left, 2 right, 4 middle; x, y in twips.
    std::function<void(int button, int shift, int x, int y)> MouseUp;

private:
    friend class GridView;
    struct Cell {
        std::string text;
        Colour back = 0;
        bool hasBack = false;
    };
    GridView* View() const;
    void CheckRow(int row) const;
    void CheckCol(int col) const;
    Cell& At(int row, int col);
    const Cell& At(int row, int col) const;
    void Resize(int rows, int cols);
    void MoveCurrent(int row, int col, bool collapse);
    void FireEnterCell();
    int ColWidthPixels(int col) const;
    int RowHeightPixels(int row) const;
    int ColX(int col) const;
    int RowY(int row) const;
    void EnsureVisible(int row, int col);
    void UpdateScrollBars();
    void Repaint();

    int rows_ = 2;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<Cell> cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    Colour backColor_ = kWhite;
    Colour foreColor_ = kSystemWindowText;
    bool redraw_ = true;
    bool inEnterCell_ = false;
};

} // namespace plat

#endif
