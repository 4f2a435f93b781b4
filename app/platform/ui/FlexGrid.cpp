#include "platform/ui/FlexGrid.h"

#include <algorithm>

#include <QAbstractScrollArea>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/text/Numbers.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Twips.h"

namespace plat {

namespace {

constexpr int kCellPaddingPixels = 2;

} // namespace

// The grid's painting, mouse and keyboard navigation; the data live in the model.
class GridView : public QAbstractScrollArea {
public:
    explicit GridView(FlexGrid& grid) : grid_(grid) {
        setFocusPolicy(Qt::StrongFocus);
        setFrameShape(QFrame::Box);
        setFrameShadow(QFrame::Plain);
        QObject::connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
                         [this](int value) { grid_.SetTopRow(grid_.FixedRows() + value); });
        QObject::connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
                         [this](int value) { grid_.SetLeftCol(grid_.FixedCols() + value); });
    }

    // The cell under a viewport point, or false.
    bool CellAt(const QPoint& p, int& row, int& col) const {
        const FlexGrid& g = grid_;
        row = -1;
        col = -1;
        for (int r = 0; r < g.Rows(); ++r) {
            if (r >= g.FixedRows() && r < g.TopRow())
                continue;
            const int y = g.RowY(r);
            if (p.y() >= y && p.y() < y + g.RowHeightPixels(r)) {
                row = r;
                break;
            }
        }
        for (int c = 0; c < g.Cols(); ++c) {
            if (c >= g.FixedCols() && c < g.LeftCol())
                continue;
            const int x = g.ColX(c);
            if (p.x() >= x && p.x() < x + g.ColWidthPixels(c)) {
                col = c;
                break;
            }
        }
        return row >= 0 && col >= 0;
    }

    // The default row height follows the grid's font.
    void TakeFontHeight() {
        grid_.SetDefaultRowHeight(
            PixelsToTwips(std::max(TwipsToPixels(GridModel::kDefaultRowHeight), fontMetrics().height() + 3)));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const FlexGrid& g = grid_;
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), QColor(0x80, 0x80, 0x80));
        const QColor fixedBack = ToQColor(kSystemButtonFace);
        const QColor lines(0xC0, 0xC0, 0xC0);
        const QColor fixedLines(0x40, 0x40, 0x40);
        const int rTop = std::min(g.RowSel(), g.Row()), rBottom = std::max(g.RowSel(), g.Row());
        const int cLeft = std::min(g.ColSel(), g.Col()), cRight = std::max(g.ColSel(), g.Col());
        const bool range = rTop != rBottom || cLeft != cRight;
        const QRect area = viewport()->rect();
        for (int r = 0; r < g.Rows(); ++r) {
            if (r >= g.FixedRows() && r < g.TopRow())
                continue;
            const int y = g.RowY(r);
            const int h = g.RowHeightPixels(r);
            if (y > area.bottom())
                break;
            for (int c = 0; c < g.Cols(); ++c) {
                const int w = g.ColWidthPixels(c);
                if (w == 0 || (c >= g.FixedCols() && c < g.LeftCol()))
                    continue;
                const int x = g.ColX(c);
                if (x > area.right())
                    break;
                const QRect cell(x, y, w, h);
                const std::string text = g.TextMatrix(r, c);
                const Colour cellBack = g.CellBackColor(r, c);
                const bool fixed = r < g.FixedRows() || c < g.FixedCols();
                const bool current = r == g.Row() && c == g.Col();
                const bool selected =
                    !fixed && range && !current && r >= rTop && r <= rBottom && c >= cLeft && c <= cRight;
                QColor back =
                    cellBack != 0 ? ToQColor(cellBack) : (fixed ? fixedBack : ToQColor(g.BackColor()));
                QColor fore = fixed ? ToQColor(kSystemButtonText) : ToQColor(g.ForeColor());
                if (selected) {
                    back = palette().color(QPalette::Highlight);
                    fore = palette().color(QPalette::HighlightedText);
                }
                painter.fillRect(cell, back);
                painter.setPen(fixed ? fixedLines : lines);
                painter.drawLine(cell.topRight(), cell.bottomRight());
                painter.drawLine(cell.bottomLeft(), cell.bottomRight());
                if (!text.empty()) {
                    painter.setPen(fore);
                    const Qt::Alignment align =
                        (plat::IsNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
                    painter.drawText(cell.adjusted(kCellPaddingPixels, 0, -kCellPaddingPixels - 1, -1),
                                     static_cast<int>(align), ToQString(text));
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
        grid_.UpdateScrollBars();
    }

    void changeEvent(QEvent* event) override {
        QAbstractScrollArea::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            TakeFontHeight();
    }

    // A data cell (not in the fixed part) under the point, or false.
    bool DataCellAt(const QPoint& p, int& row, int& col) const {
        return CellAt(p, row, col) && row >= grid_.FixedRows() && col >= grid_.FixedCols();
    }

    void mousePressEvent(QMouseEvent* event) override {
        int row = 0, col = 0;
        if (event->button() != Qt::LeftButton || !DataCellAt(event->position().toPoint(), row, col))
            return;
        if (event->modifiers() & Qt::ShiftModifier) {
            grid_.Select(grid_.Row(), grid_.Col(), row, col);
        } else {
            dragging_ = true;
            grid_.Select(row, col);
        }
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        int row = 0, col = 0;
        if (dragging_ && DataCellAt(event->position().toPoint(), row, col) &&
            (row != grid_.RowSel() || col != grid_.ColSel()))
            grid_.Select(grid_.Row(), grid_.Col(), row, col);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        dragging_ = false;
        FlexGrid& g = grid_;
        if (event->button() == Qt::LeftButton && g.Click)
            Dispatch(this, g.Click);
        if (g.MouseUp) {
            const QPoint p = event->position().toPoint() + viewport()->pos();
            Dispatch(this, [&] {
                g.MouseUp(MouseButtonsOf(event->button()), ShiftStateOf(event->modifiers()), PixelsToTwips(p.x()),
                          PixelsToTwips(p.y()));
            });
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        FlexGrid& g = grid_;
        const bool extend = event->modifiers() & Qt::ShiftModifier;
        int row = extend ? g.RowSel() : g.Row();
        int col = extend ? g.ColSel() : g.Col();
        const int visibleRows =
            std::max(1, viewport()->height() / std::max(1, g.RowHeightPixels(g.FixedRows())) - g.FixedRows());
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
            col = g.FixedCols();
            break;
        case Qt::Key_End:
            col = g.Cols() - 1;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        row = std::clamp(row, g.FixedRows(), g.Rows() - 1);
        col = std::clamp(col, g.FixedCols(), g.Cols() - 1);
        if (extend)
            g.Select(g.Row(), g.Col(), row, col);
        else
            g.Select(row, col);
        g.EnsureVisible(row, col);
    }

    void focusInEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusOutEvent(event);
        viewport()->update();
    }

private:
    FlexGrid& grid_;
    bool dragging_ = false;
};

FlexGrid::FlexGrid(Container& parent, std::string name, int index)
    : Control(parent, std::move(name), index, new GridView(*this)) {
    Changed = [this](GridChange change) { ShowChange(change); };
    View()->TakeFontHeight();
}

GridView* FlexGrid::View() const {
    return static_cast<GridView*>(Widget());
}

void FlexGrid::ShowChange(GridChange change) {
    QWidget* viewport = View()->viewport();
    switch (change) {
    case GridChange::Contents:
        viewport->update();
        break;
    case GridChange::Layout:
        UpdateScrollBars();
        viewport->update();
        break;
    case GridChange::Refresh:
        viewport->repaint();
        break;
    case GridChange::Redraw:
        viewport->setUpdatesEnabled(Redraw());
        if (Redraw()) {
            UpdateScrollBars();
            viewport->update();
        }
        break;
    }
}

int FlexGrid::CellLeft() const {
    return PixelsToTwips(View()->viewport()->x() + ColX(Col()));
}
int FlexGrid::CellTop() const {
    return PixelsToTwips(View()->viewport()->y() + RowY(Row()));
}
int FlexGrid::CellWidth() const {
    return ColWidth(Col());
}
int FlexGrid::CellHeight() const {
    return PixelsToTwips(RowHeightPixels(Row()));
}

int FlexGrid::ColWidthPixels(int col) const {
    return TwipsToPixels(ColWidth(col));
}

int FlexGrid::RowHeightPixels(int row) const {
    return TwipsToPixels(RowHeight(row));
}

int FlexGrid::ColX(int col) const {
    int x = 0;
    for (int c = 0; c < std::min(col, FixedCols()); ++c)
        x += ColWidthPixels(c);
    if (col >= FixedCols()) {
        for (int c = LeftCol(); c < col; ++c)
            x += ColWidthPixels(c);
        for (int c = col; c < LeftCol(); ++c)
            x -= ColWidthPixels(c);
    }
    return x;
}

int FlexGrid::RowY(int row) const {
    int y = 0;
    for (int r = 0; r < std::min(row, FixedRows()); ++r)
        y += RowHeightPixels(r);
    if (row >= FixedRows()) {
        for (int r = TopRow(); r < row; ++r)
            y += RowHeightPixels(r);
        for (int r = row; r < TopRow(); ++r)
            y -= RowHeightPixels(r);
    }
    return y;
}

void FlexGrid::EnsureVisible(int row, int col) {
    const QWidget* viewport = View()->viewport();
    QScrollBar* vertical = View()->verticalScrollBar();
    if (row >= FixedRows()) {
        if (row < TopRow()) {
            vertical->setValue(row - FixedRows());
        } else {
            while (TopRow() < row && RowY(row) + RowHeightPixels(row) > viewport->height() &&
                   vertical->value() < vertical->maximum())
                vertical->setValue(vertical->value() + 1);
        }
    }
    QScrollBar* horizontal = View()->horizontalScrollBar();
    if (col >= FixedCols()) {
        if (col < LeftCol()) {
            horizontal->setValue(col - FixedCols());
        } else {
            while (LeftCol() < col && ColX(col) + ColWidthPixels(col) > viewport->width() &&
                   horizontal->value() < horizontal->maximum())
                horizontal->setValue(horizontal->value() + 1);
        }
    }
}

// The scroll ranges end at the last first row (column) that still fills the view; the bars show
// the model's first row and column.
void FlexGrid::UpdateScrollBars() {
    const QWidget* viewport = View()->viewport();
    int fixedHeight = 0;
    for (int r = 0; r < FixedRows(); ++r)
        fixedHeight += RowHeightPixels(r);
    int room = viewport->height() - fixedHeight;
    int lastTop = Rows() - 1;
    while (lastTop > FixedRows() && room - RowHeightPixels(lastTop) >= RowHeightPixels(lastTop - 1)) {
        room -= RowHeightPixels(lastTop);
        --lastTop;
    }
    QScrollBar* vertical = View()->verticalScrollBar();
    vertical->setRange(0, std::max(0, lastTop - FixedRows()));
    vertical->setPageStep(std::max(1, Rows() - lastTop));
    vertical->setValue(TopRow() - FixedRows());
    int fixedWidth = 0;
    for (int c = 0; c < FixedCols(); ++c)
        fixedWidth += ColWidthPixels(c);
    int across = viewport->width() - fixedWidth;
    int lastLeft = Cols() - 1;
    while (lastLeft > FixedCols() && across - ColWidthPixels(lastLeft) >= ColWidthPixels(lastLeft - 1)) {
        across -= ColWidthPixels(lastLeft);
        --lastLeft;
    }
    QScrollBar* horizontal = View()->horizontalScrollBar();
    horizontal->setRange(0, std::max(0, lastLeft - FixedCols()));
    horizontal->setValue(LeftCol() - FixedCols());
}

} // namespace plat
