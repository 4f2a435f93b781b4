#include "platform/grid/GridModel.h"

#include <algorithm>
#include <stdexcept>

namespace plat {

GridModel::GridModel()
    : cells_(static_cast<std::size_t>(rows_ * cols_)), colWidths_(static_cast<std::size_t>(cols_), -1),
      rowHeights_(static_cast<std::size_t>(rows_), -1) {}

void GridModel::CheckRow(int row) const {
    if (row < 0 || row >= rows_)
        throw std::out_of_range("grid row out of range");
}

void GridModel::CheckCol(int col) const {
    if (col < 0 || col >= cols_)
        throw std::out_of_range("grid column out of range");
}

GridModel::Cell& GridModel::At(int row, int col) {
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

const GridModel::Cell& GridModel::At(int row, int col) const {
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

void GridModel::Notify(GridChange change) {
    if (Changed && (redraw_ || change == GridChange::Redraw))
        Changed(change);
}

void GridModel::Resize(int rows, int cols) {
    std::vector<Cell> cells(static_cast<std::size_t>(rows * cols));
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            cells[static_cast<std::size_t>(r * cols + c)] = std::move(At(r, c));
    cells_ = std::move(cells);
    rows_ = rows;
    cols_ = cols;
    colWidths_.resize(static_cast<std::size_t>(cols), -1);
    rowHeights_.resize(static_cast<std::size_t>(rows), -1);
    fixedRows_ = std::min(fixedRows_, rows - 1);
    fixedCols_ = std::min(fixedCols_, cols - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, rows - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, cols - 1);
    const int row = std::min(row_, rows - 1);
    const int col = std::min(col_, cols - 1);
    rowSel_ = std::min(rowSel_, rows - 1);
    colSel_ = std::min(colSel_, cols - 1);
    Notify(GridChange::Layout);
    if (row != row_ || col != col_)
        MoveCurrent(row, col, row, col);
}

void GridModel::SetRows(int rows) {
    if (rows < 1)
        throw std::out_of_range("grid needs a row");
    Resize(rows, cols_);
}

void GridModel::SetCols(int cols) {
    if (cols < 1)
        throw std::out_of_range("grid needs a column");
    Resize(rows_, cols);
}

void GridModel::SetFixedRows(int rows) {
    if (rows < 0 || rows >= rows_)
        throw std::out_of_range("fixed rows out of range");
    fixedRows_ = rows;
    topRow_ = std::max(topRow_, fixedRows_);
    Notify(GridChange::Layout);
}

void GridModel::SetFixedCols(int cols) {
    if (cols < 0 || cols >= cols_)
        throw std::out_of_range("fixed columns out of range");
    fixedCols_ = cols;
    leftCol_ = std::max(leftCol_, fixedCols_);
    Notify(GridChange::Layout);
}

std::string GridModel::TextMatrix(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
    return At(row, col).text;
}

void GridModel::SetTextMatrix(int row, int col, const std::string& text) {
    CheckRow(row);
    CheckCol(col);
    At(row, col).text = text;
    Notify(GridChange::Contents);
}

void GridModel::Clear() {
    std::fill(cells_.begin(), cells_.end(), Cell{});
    Notify(GridChange::Contents);
}

int GridModel::ColWidth(int col) const {
    CheckCol(col);
    const int w = colWidths_[static_cast<std::size_t>(col)];
    return w < 0 ? kDefaultColWidth : w;
}

void GridModel::SetColWidth(int col, int twips) {
    CheckCol(col);
    colWidths_[static_cast<std::size_t>(col)] = std::max(-1, twips);
    Notify(GridChange::Layout);
}

int GridModel::RowHeight(int row) const {
    CheckRow(row);
    const int h = rowHeights_[static_cast<std::size_t>(row)];
    return h < 0 ? defaultRowHeight_ : h;
}

void GridModel::SetRowHeight(int row, int twips) {
    CheckRow(row);
    rowHeights_[static_cast<std::size_t>(row)] = std::max(-1, twips);
    Notify(GridChange::Layout);
}

void GridModel::SetDefaultRowHeight(int twips) {
    defaultRowHeight_ = std::max(0, twips);
    Notify(GridChange::Layout);
}

void GridModel::SetRow(int row) {
    CheckRow(row);
    MoveCurrent(row, col_, row, col_);
}

void GridModel::SetCol(int col) {
    CheckCol(col);
    MoveCurrent(row_, col, row_, col);
}

void GridModel::SetRowSel(int row) {
    CheckRow(row);
    rowSel_ = row;
    Notify(GridChange::Contents);
}

void GridModel::SetColSel(int col) {
    CheckCol(col);
    colSel_ = col;
    Notify(GridChange::Contents);
}

void GridModel::Select(int row, int col, int rowSel, int colSel) {
    CheckRow(row);
    CheckCol(col);
    CheckRow(rowSel);
    CheckCol(colSel);
    MoveCurrent(row, col, rowSel, colSel);
}

void GridModel::SetTopRow(int row) {
    CheckRow(row);
    const int top = std::max(row, fixedRows_);
    if (top == topRow_)
        return;
    topRow_ = top;
    Notify(GridChange::Layout);
}

void GridModel::SetLeftCol(int col) {
    CheckCol(col);
    const int left = std::max(col, fixedCols_);
    if (left == leftCol_)
        return;
    leftCol_ = left;
    Notify(GridChange::Layout);
}

Colour GridModel::CellBackColor(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
    return At(row, col).back;
}

void GridModel::SetCellBackColor(int row, int col, Colour colour) {
    CheckRow(row);
    CheckCol(col);
    At(row, col).back = colour;
    Notify(GridChange::Contents);
}

void GridModel::SetBackColor(Colour colour) {
    backColor_ = colour;
    Notify(GridChange::Contents);
}

void GridModel::SetForeColor(Colour colour) {
    foreColor_ = colour;
    Notify(GridChange::Contents);
}

void GridModel::SetRedraw(bool redraw) {
    redraw_ = redraw;
    Notify(GridChange::Redraw);
}

void GridModel::Refresh() {
    Notify(GridChange::Refresh);
}

void GridModel::MoveCurrent(int row, int col, int rowSel, int colSel) {
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    Notify(GridChange::Contents);
    if (!moved || inEnterCell_ || !EnterCell)
        return;
    inEnterCell_ = true;
    try {
        EnterCell();
    } catch (...) {
        inEnterCell_ = false;
        throw;
    }
    inEnterCell_ = false;
}

} // namespace plat
