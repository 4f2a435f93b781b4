#include "platform/ui/FlexGrid.h"

#include <algorithm>
#include <stdexcept>

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/text/Numbers.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace plat {

namespace {

constexpr int kDefaultColWidthTwips = 960;
constexpr int kCellPaddingPixels = 2;

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace

// The grid's painting, mouse and keyboard navigation; the data live in FlexGrid.
class GridView : public QAbstractScrollArea {
public:
    GridView() {
        setFocusPolicy(Qt::StrongFocus);
        setFrameShape(QFrame::Box);
        setFrameShadow(QFrame::Plain);
        QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            grid_->topRow_ = grid_->fixedRows_ + value;
            viewport()->update();
        });
        QObject::connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            grid_->leftCol_ = grid_->fixedCols_ + value;
            viewport()->update();
        });
    }

    // The cell under a viewport point, or false.
    bool CellAt(const QPoint& p, int& row, int& col) const {
        const FlexGrid& g = *grid_;
        row = -1;
        col = -1;
        for (int r = 0; r < g.rows_; ++r) {
            if (r >= g.fixedRows_ && r < g.topRow_) {
                continue;
            }
            const int y = g.RowY(r);
            if (p.y() >= y && p.y() < y + g.RowHeightPixels(r)) {
                row = r;
                break;
            }
        }
        for (int c = 0; c < g.cols_; ++c) {
            if (c >= g.fixedCols_ && c < g.leftCol_) {
                continue;
            }
            const int x = g.ColX(c);
            if (p.x() >= x && p.x() < x + g.ColWidthPixels(c)) {
                col = c;
                break;
            }
        }
        return row >= 0 && col >= 0;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const FlexGrid& g = *grid_;
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), QColor(0x80, 0x80, 0x80));
        const QColor fixedBack = ToQColor(kSystemButtonFace);
        const QColor lines(0xC0, 0xC0, 0xC0);
        const QColor fixedLines(0x40, 0x40, 0x40);
        const int rTop = std::min(g.rowSel_, g.row_), rBottom = std::max(g.rowSel_, g.row_);
        const int cLeft = std::min(g.colSel_, g.col_), cRight = std::max(g.colSel_, g.col_);
        const bool range = rTop != rBottom || cLeft != cRight;
        const QRect area = viewport()->rect();
        for (int r = 0; r < g.rows_; ++r) {
            if (r >= g.fixedRows_ && r < g.topRow_) {
                continue;
            }
            const int y = g.RowY(r);
            const int h = g.RowHeightPixels(r);
            if (y > area.bottom()) {
                break;
            }
            for (int c = 0; c < g.cols_; ++c) {
                const int w = g.ColWidthPixels(c);
                if (w == 0 || (c >= g.fixedCols_ && c < g.leftCol_)) {
                    continue;
                }
                const int x = g.ColX(c);
                if (x > area.right()) {
                    break;
                }
                const QRect cell(x, y, w, h);
                const FlexGrid::Cell& data = g.At(r, c);
                const bool fixed = r < g.fixedRows_ || c < g.fixedCols_;
                const bool current = r == g.row_ && c == g.col_;
                const bool selected =
                    !fixed && range && !current && r >= rTop && r <= rBottom && c >= cLeft && c <= cRight;
                QColor back =
                    data.hasBack ? ToQColor(data.back) : (fixed ? fixedBack : ToQColor(g.backColor_));
                QColor fore = fixed ? ToQColor(kSystemButtonText) : ToQColor(g.foreColor_);
                if (selected) {
                    back = palette().color(QPalette::Highlight);
                    fore = palette().color(QPalette::HighlightedText);
                }
                painter.fillRect(cell, back);
                painter.setPen(fixed ? fixedLines : lines);
                painter.drawLine(cell.topRight(), cell.bottomRight());
                painter.drawLine(cell.bottomLeft(), cell.bottomRight());
                if (!data.text.empty()) {
                    painter.setPen(fore);
                    const QString text = ToQString(data.text);
                    const Qt::Alignment align =
                        (plat::IsNumeric(data.text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
                    painter.drawText(cell.adjusted(kCellPaddingPixels, 0, -kCellPaddingPixels - 1, -1),
                                     static_cast<int>(align), text);
                }
                if (current && !fixed && hasFocus()) {
                    QPen pen(palette().color(QPalette::WindowText));
                    pen.setStyle(Qt::DotLine);
                    painter.setPen(pen);
                    painter.drawRect(cell.adjusted(1, 1, -2, -2));
                }
            }
        }
    }

    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        grid_->UpdateScrollBars();
    }

    void mousePressEvent(QMouseEvent* event) override {
        int row = 0, col = 0;
        if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), row, col) &&
            row >= grid_->fixedRows_ && col >= grid_->fixedCols_) {
            if (event->modifiers() & Qt::ShiftModifier) {
                grid_->rowSel_ = row;
                grid_->colSel_ = col;
                grid_->Repaint();
            } else {
                dragging_ = true;
                grid_->MoveCurrent(row, col, true);
            }
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        int row = 0, col = 0;
        if (dragging_ && CellAt(event->position().toPoint(), row, col) && row >= grid_->fixedRows_ &&
            col >= grid_->fixedCols_ && (row != grid_->rowSel_ || col != grid_->colSel_)) {
            grid_->rowSel_ = row;
            grid_->colSel_ = col;
            grid_->Repaint();
        }
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        dragging_ = false;
        FlexGrid& g = *grid_;
        if (event->button() == Qt::LeftButton && g.Click) {
            g.Click();
        }
        if (g.MouseUp) {
            const QPoint p = event->position().toPoint() + viewport()->pos();
            g.MouseUp(ButtonOf(event->button()), ShiftStateOf(event->modifiers()), PixelsToTwips(p.x()),
                      PixelsToTwips(p.y()));
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        FlexGrid& g = *grid_;
        const bool extend = event->modifiers() & Qt::ShiftModifier;
        int row = extend ? g.rowSel_ : g.row_;
        int col = extend ? g.colSel_ : g.col_;
        const int visibleRows =
            std::max(1, viewport()->height() / std::max(1, g.RowHeightPixels(g.fixedRows_)) - g.fixedRows_);
        switch (event->key()) {
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_Left:
            --col;
            break;
        case Qt::Key_Right:
            ++col;
            break;
        case Qt::Key_PageUp:
            row -= visibleRows;
            break;
        case Qt::Key_PageDown:
            row += visibleRows;
            break;
        case Qt::Key_Home:
            col = g.fixedCols_;
            break;
        case Qt::Key_End:
            col = g.cols_ - 1;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        row = std::clamp(row, g.fixedRows_, std::max(g.fixedRows_, g.rows_ - 1));
        col = std::clamp(col, g.fixedCols_, std::max(g.fixedCols_, g.cols_ - 1));
        if (row >= g.rows_ || col >= g.cols_) {
            return;
        }
        if (extend) {
            g.rowSel_ = row;
            g.colSel_ = col;
            g.EnsureVisible(row, col);
            g.Repaint();
        } else {
            g.MoveCurrent(row, col, true);
            g.EnsureVisible(row, col);
        }
    }

    void focusInEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusOutEvent(event);
        viewport()->update();
    }

public:
    void SetGrid(FlexGrid* grid) { grid_ = grid; }

private:
    FlexGrid* grid_ = nullptr;
    bool dragging_ = false;
};

FlexGrid::FlexGrid(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new GridView) {
    View()->SetGrid(this);
    cells_.resize(static_cast<std::size_t>(rows_ * cols_));
    colWidths_.assign(static_cast<std::size_t>(cols_), -1);
    rowHeights_.assign(static_cast<std::size_t>(rows_), -1);
}

GridView* FlexGrid::View() const {
    return static_cast<GridView*>(Widget());
}

void FlexGrid::CheckRow(int row) const {
    if (row < 0 || row >= rows_) {
        throw std::out_of_range("grid row out of range");
    }
}

void FlexGrid::CheckCol(int col) const {
    if (col < 0 || col >= cols_) {
        throw std::out_of_range("grid column out of range");
    }
}

FlexGrid::Cell& FlexGrid::At(int row, int col) {
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

const FlexGrid::Cell& FlexGrid::At(int row, int col) const {
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

void FlexGrid::Resize(int rows, int cols) {
    std::vector<Cell> cells(static_cast<std::size_t>(rows * cols));
    for (int r = 0; r < std::min(rows, rows_); ++r) {
        for (int c = 0; c < std::min(cols, cols_); ++c) {
            cells[static_cast<std::size_t>(r * cols + c)] = std::move(At(r, c));
        }
    }
    cells_ = std::move(cells);
    rows_ = rows;
    cols_ = cols;
    colWidths_.resize(static_cast<std::size_t>(cols), -1);
    rowHeights_.resize(static_cast<std::size_t>(rows), -1);
    fixedRows_ = std::min(fixedRows_, std::max(0, rows - 1));
    fixedCols_ = std::min(fixedCols_, std::max(0, cols - 1));
    const int row = std::clamp(row_, 0, rows - 1);
    const int col = std::clamp(col_, 0, cols - 1);
    rowSel_ = std::clamp(rowSel_, 0, rows - 1);
    colSel_ = std::clamp(colSel_, 0, cols - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rows - 1));
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, cols - 1));
    UpdateScrollBars();
    if (row != row_ || col != col_) {
        MoveCurrent(row, col, true);
    } else {
        Repaint();
    }
}

void FlexGrid::SetRows(int rows) {
    if (rows < 1) {
        throw std::out_of_range("grid needs a row");
    }
    Resize(rows, cols_);
}

void FlexGrid::SetCols(int cols) {
    if (cols < 1) {
        throw std::out_of_range("grid needs a column");
    }
    Resize(rows_, cols);
}

void FlexGrid::SetFixedRows(int rows) {
    if (rows < 0 || rows >= rows_) {
        throw std::out_of_range("fixed rows out of range");
    }
    fixedRows_ = rows;
    topRow_ = std::max(topRow_, fixedRows_);
    UpdateScrollBars();
    Repaint();
}

void FlexGrid::SetFixedCols(int cols) {
    if (cols < 0 || cols >= cols_) {
        throw std::out_of_range("fixed columns out of range");
    }
    fixedCols_ = cols;
    leftCol_ = std::max(leftCol_, fixedCols_);
    UpdateScrollBars();
    Repaint();
}

std::string FlexGrid::TextMatrix(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
    return At(row, col).text;
}

void FlexGrid::SetTextMatrix(int row, int col, const std::string& text) {
    CheckRow(row);
    CheckCol(col);
    At(row, col).text = text;
    Repaint();
}

void FlexGrid::Clear() {
    for (Cell& cell : cells_) {
        cell = Cell{};
    }
    Repaint();
}

int FlexGrid::ColWidth(int col) const {
    CheckCol(col);
    const int w = colWidths_[static_cast<std::size_t>(col)];
    return w < 0 ? kDefaultColWidthTwips : w;
}

void FlexGrid::SetColWidth(int col, int twips) {
    CheckCol(col);
    colWidths_[static_cast<std::size_t>(col)] = std::max(-1, twips);
    UpdateScrollBars();
    Repaint();
}

int FlexGrid::RowHeight(int row) const {
    CheckRow(row);
    return PixelsToTwips(RowHeightPixels(row));
}

void FlexGrid::SetRowHeight(int row, int twips) {
    CheckRow(row);
    rowHeights_[static_cast<std::size_t>(row)] = std::max(-1, twips);
    UpdateScrollBars();
    Repaint();
}

void FlexGrid::SetRow(int row) {
    CheckRow(row);
    MoveCurrent(row, col_, true);
}

void FlexGrid::SetCol(int col) {
    CheckCol(col);
    MoveCurrent(row_, col, true);
}

void FlexGrid::SetRowSel(int row) {
    CheckRow(row);
    rowSel_ = row;
    Repaint();
}

void FlexGrid::SetColSel(int col) {
    CheckCol(col);
    colSel_ = col;
    Repaint();
}

void FlexGrid::SetTopRow(int row) {
    CheckRow(row);
    View()->verticalScrollBar()->setValue(std::max(0, row - fixedRows_));
}

Colour FlexGrid::CellBackColor() const {
    const Cell& cell = At(row_, col_);
    return cell.hasBack ? cell.back : 0;
}

void FlexGrid::SetCellBackColor(Colour colour) {
    Cell& cell = At(row_, col_);
    cell.back = colour;
    cell.hasBack = true;
    Repaint();
}

void FlexGrid::SetBackColor(Colour colour) {
    backColor_ = colour;
    Repaint();
}

void FlexGrid::SetForeColor(Colour colour) {
    foreColor_ = colour;
    Repaint();
}

int FlexGrid::CellLeft() const {
    return PixelsToTwips(View()->viewport()->x() + ColX(col_));
}
int FlexGrid::CellTop() const {
    return PixelsToTwips(View()->viewport()->y() + RowY(row_));
}
int FlexGrid::CellWidth() const {
    return ColWidth(col_);
}
int FlexGrid::CellHeight() const {
    return RowHeight(row_);
}

void FlexGrid::SetRedraw(bool redraw) {
    redraw_ = redraw;
    View()->viewport()->setUpdatesEnabled(redraw);
    if (redraw) {
        UpdateScrollBars();
        View()->viewport()->update();
    }
}

void FlexGrid::Refresh() {
    if (redraw_) {
        View()->viewport()->repaint();
    }
}

void FlexGrid::MoveCurrent(int row, int col, bool collapse) {
    const bool moved = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    if (collapse) {
        rowSel_ = row;
        colSel_ = col;
    }
    Repaint();
    if (moved) {
        FireEnterCell();
    }
}

void FlexGrid::FireEnterCell() {
    if (inEnterCell_ || !EnterCell) {
        return;
    }
    inEnterCell_ = true;
    try {
        EnterCell();
    } catch (...) {
        inEnterCell_ = false;
        throw;
    }
    inEnterCell_ = false;
}

int FlexGrid::ColWidthPixels(int col) const {
    return TwipsToPixels(ColWidth(col));
}

int FlexGrid::RowHeightPixels(int row) const {
    const int h = rowHeights_[static_cast<std::size_t>(row)];
    if (h >= 0) {
        return TwipsToPixels(h);
    }
    return std::max(TwipsToPixels(240), View()->fontMetrics().height() + 3);
}

int FlexGrid::ColX(int col) const {
    int x = 0;
    for (int c = 0; c < std::min(col, fixedCols_); ++c) {
        x += ColWidthPixels(c);
    }
    if (col >= fixedCols_) {
        for (int c = leftCol_; c < col; ++c) {
            x += ColWidthPixels(c);
        }
        for (int c = col; c < leftCol_; ++c) {
            x -= ColWidthPixels(c);
        }
    }
    return x;
}

int FlexGrid::RowY(int row) const {
    int y = 0;
    for (int r = 0; r < std::min(row, fixedRows_); ++r) {
        y += RowHeightPixels(r);
    }
    if (row >= fixedRows_) {
        for (int r = topRow_; r < row; ++r) {
            y += RowHeightPixels(r);
        }
        for (int r = row; r < topRow_; ++r) {
            y -= RowHeightPixels(r);
        }
    }
    return y;
}

void FlexGrid::EnsureVisible(int row, int col) {
    const QWidget* viewport = View()->viewport();
    if (row >= fixedRows_) {
        if (row < topRow_) {
            View()->verticalScrollBar()->setValue(row - fixedRows_);
        } else {
            QScrollBar* bar = View()->verticalScrollBar();
            while (topRow_ < row && RowY(row) + RowHeightPixels(row) > viewport->height() &&
                   bar->value() < bar->maximum()) {
                bar->setValue(bar->value() + 1);
            }
        }
    }
    if (col >= fixedCols_) {
        if (col < leftCol_) {
            View()->horizontalScrollBar()->setValue(col - fixedCols_);
        } else {
            QScrollBar* bar = View()->horizontalScrollBar();
            while (leftCol_ < col && ColX(col) + ColWidthPixels(col) > viewport->width() &&
                   bar->value() < bar->maximum()) {
                bar->setValue(bar->value() + 1);
            }
        }
    }
}

void FlexGrid::UpdateScrollBars() {
    const QWidget* viewport = View()->viewport();
    // The last first-row that still fills the view.
    int fixedHeight = 0;
    for (int r = 0; r < fixedRows_; ++r) {
        fixedHeight += RowHeightPixels(r);
    }
    int room = viewport->height() - fixedHeight;
    int lastTop = rows_ - 1;
    while (lastTop > fixedRows_ && room - RowHeightPixels(lastTop) >= RowHeightPixels(lastTop - 1)) {
        room -= RowHeightPixels(lastTop);
        --lastTop;
    }
    View()->verticalScrollBar()->setRange(0, std::max(0, lastTop - fixedRows_));
    View()->verticalScrollBar()->setPageStep(std::max(1, rows_ - lastTop));
    int fixedWidth = 0;
    for (int c = 0; c < fixedCols_; ++c) {
        fixedWidth += ColWidthPixels(c);
    }
    int across = viewport->width() - fixedWidth;
    int lastLeft = cols_ - 1;
    while (lastLeft > fixedCols_ && across - ColWidthPixels(lastLeft) >= ColWidthPixels(lastLeft - 1)) {
        across -= ColWidthPixels(lastLeft);
        --lastLeft;
    }
    View()->horizontalScrollBar()->setRange(0, std::max(0, lastLeft - fixedCols_));
}

void FlexGrid::Repaint() {
    if (redraw_) {
        View()->viewport()->update();
    }
}

} // namespace plat
