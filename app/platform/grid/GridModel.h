#ifndef PLATFORM_GRID_GRIDMODEL_H
#define PLATFORM_GRID_GRIDMODEL_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat {

// The platform's colour number 0x00BBGGRR (the same alias as the controls use).
using Colour = std::uint32_t;

// What changed, as the grid's view needs to know it.
enum class GridChange {
    Contents, // texts, colours, the current cell or the selection
    Layout,   // rows, columns, fixed parts, widths, heights or the first row or column shown
    Refresh,  // Refresh: paint now
    Redraw,   // Redraw was switched (reported whatever its value)
};

// The flexible grid without its window: a table of text cells whose first FixedRows rows and
// FixedCols columns are fixed (grey, not scrolled, not selectable by the user) but addressable
// like the others. The current cell is (Row, Col); the selection runs from it to (RowSel, ColSel),
// which may lie above or left of it. Setting Row or Col moves the current cell and collapses the
// selection onto it. EnterCell fires whenever the current cell changes, by the user or by code; a
// change made while EnterCell runs fires no second EnterCell. Widths and heights are in twips; a
// column of width 0 is hidden but keeps its cells. Out-of-range rows and columns raise
// std::out_of_range. Changed tells the view what to repaint; nothing is reported while Redraw is
// false except the switch itself.
class GridModel {
public:
    static constexpr int kDefaultColWidth = 960;
    static constexpr int kDefaultRowHeight = 240;

    GridModel();
    GridModel(const GridModel&) = delete;
    GridModel& operator=(const GridModel&) = delete;
    virtual ~GridModel() = default;

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

    // A width of -1 (or less) gives the column the default width again.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    // A height of -1 (or less) gives the row the default height again.
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    // The height of rows given none; the view sets it from its font.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int twips);

    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row);
    int ColSel() const { return colSel_; }
    void SetColSel(int col);
    // Makes (row, col) current with the selection running to (rowSel, colSel), as a user's click
    // and drag leaves it; EnterCell fires after both are set, when the current cell moved.
    void Select(int row, int col, int rowSel, int colSel);
    void Select(int row, int col) { Select(row, col, row, col); }

    // The first scrollable row and column shown.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);

    // The current cell's back colour, or that of (row, col): the colour set for it, or 0 when it
    // has none (it then shows BackColor, or the fixed colour in the fixed part). Setting 0 gives
    // the cell the default colours again, as the platform does.
    Colour CellBackColor() const { return CellBackColor(row_, col_); }
    void SetCellBackColor(Colour colour) { SetCellBackColor(row_, col_, colour); }
    Colour CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, Colour colour);
    Colour BackColor() const { return backColor_; }
    void SetBackColor(Colour colour);
    Colour ForeColor() const { return foreColor_; }
    void SetForeColor(Colour colour);

    // False suspends painting until it is set true again.
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool redraw);
    // Paints the grid now (nothing while Redraw is false).
    void Refresh();

    std::function<void()> EnterCell;
    // The view's hook (the grid control sets it to repaint itself).
    std::function<void(GridChange)> Changed;

private:
    struct Cell {
        std::string text;
        Colour back = 0;
    };
    void CheckRow(int row) const;
    void CheckCol(int col) const;
    Cell& At(int row, int col);
    const Cell& At(int row, int col) const;
    void Resize(int rows, int cols);
    void MoveCurrent(int row, int col, int rowSel, int colSel);
    void Notify(GridChange change);

    int rows_ = 2;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<Cell> cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int defaultRowHeight_ = kDefaultRowHeight;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    int leftCol_ = 1;
    Colour backColor_ = 0xFFFFFF;
    Colour foreColor_ = 0x80000008; // the system's window text colour
    bool redraw_ = true;
    bool inEnterCell_ = false;
};

} // namespace plat

#endif
