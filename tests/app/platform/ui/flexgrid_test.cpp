// The flexible grid.
#include <string>
#include <vector>

#include <QAbstractScrollArea>
#include <QTest>

#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

class FlexGridTest : public ::testing::Test {
protected:
    FlexGridTest() {
        form.SetClientSize(6000, 6000);
        grid.Move(0, 90, 4425, 6030);
        grid.SetRows(31);
        grid.SetCols(5);
        grid.EnterCell = [this] { entered.push_back({grid.Row(), grid.Col()}); };
    }
    QApplication& app = Application();
    plat::Form form{"frmGrid"};
    plat::FlexGrid grid{form, "grdGround"};
    std::vector<std::pair<int, int>> entered;
};

TEST_F(FlexGridTest, FixedCellsAreAddressableAndTheLayoutCanGrowAndShrink) {
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    grid.SetTextMatrix(0, 2, "       Y");
    grid.SetTextMatrix(30, 0, "30");
    grid.SetTextMatrix(1, 2, "-1000.00");
    EXPECT_EQ(grid.TextMatrix(0, 2), "       Y");
    EXPECT_EQ(grid.TextMatrix(30, 0), "30");
    grid.SetRows(10);
    EXPECT_EQ(grid.TextMatrix(1, 2), "-1000.00");
    EXPECT_THROW(grid.TextMatrix(10, 0), std::out_of_range);
    EXPECT_THROW(grid.SetTextMatrix(0, 5, "x"), std::out_of_range);
    EXPECT_THROW(grid.SetRow(-1), std::out_of_range);
    grid.SetRows(20);
    EXPECT_EQ(grid.TextMatrix(15, 2), "");
    grid.Clear();
    EXPECT_EQ(grid.TextMatrix(0, 2), "");
    EXPECT_EQ(grid.Rows(), 20);
    EXPECT_EQ(grid.Cols(), 5);
}

TEST_F(FlexGridTest, SettingRowOrColMovesTheCellCollapsesTheSelectionAndEntersTheCell) {
    grid.SetRowSel(5);
    grid.SetColSel(3);
    grid.SetRow(4);
    EXPECT_EQ(grid.RowSel(), 4);
    EXPECT_EQ(grid.ColSel(), 1);
    grid.SetRowSel(6);
    grid.SetCol(2);
    EXPECT_EQ(grid.RowSel(), 4);
    EXPECT_EQ(grid.ColSel(), 2);
    grid.SetCol(2); // same cell: no EnterCell
    // A selection may lie above and left of the current cell.
    grid.SetRowSel(1);
    grid.SetColSel(1);
    EXPECT_EQ(grid.RowSel(), 1);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(entered, (std::vector<std::pair<int, int>>{{4, 1}, {4, 2}}));
}

TEST_F(FlexGridTest, EnterCellIsNotReenteredWhenItsHandlerMovesTheCell) {
    // Entering column 1 moves on to column 2, as the ground grid does.
    int depth = 0, maxDepth = 0;
    grid.EnterCell = [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        entered.push_back({grid.Row(), grid.Col()});
        if (grid.Col() == 1) {
            grid.SetTextMatrix(grid.Row(), 1, "0.000");
            grid.SetCol(2);
        }
        --depth;
    };
    grid.SetRow(3);
    grid.SetCol(3);
    grid.SetCol(1);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.TextMatrix(3, 1), "0.000");
    EXPECT_EQ(entered, (std::vector<std::pair<int, int>>{{3, 1}, {3, 3}, {3, 1}}));
}

TEST_F(FlexGridTest, UserMovesEnterCellsAndClickFollows) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    int clicks = 0;
    grid.Click = [&] { ++clicks; };
    auto* view = static_cast<QAbstractScrollArea*>(grid.Widget());
    grid.SetRow(2);
    grid.SetCol(3);
    entered.clear();
    const QPoint inside(plat::TwipsToPixels(grid.CellLeft() + 30) - view->viewport()->x(),
                        plat::TwipsToPixels(grid.CellTop() + 30) - view->viewport()->y());
    grid.SetRow(1);
    grid.SetCol(1);
    entered.clear();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(QApplication::focusWidget(), view); // keys reach the grid's own handlers
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.ColSel(), 4);
    EXPECT_EQ(grid.RowSel(), 3);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Up); // stops at the first data row
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(entered, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}, {2, 3}, {1, 3}}));
    std::vector<int> keys;
    grid.KeyDown = [&](int& code, int) { keys.push_back(-code); };
    grid.KeyPress = [&](int& ascii) { keys.push_back(ascii); };
    QTest::keyClick(view, Qt::Key_Delete);
    QTest::keyClick(view, Qt::Key_5);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(keys, (std::vector<int>{-46, -53, '5', -17, -86, 22}));
}

TEST_F(FlexGridTest, KeyboardMovesScrollTheCurrentCellIntoView) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    auto* view = static_cast<QAbstractScrollArea*>(grid.Widget());
    grid.SetRow(1);
    grid.SetCol(2);
    grid.SetFocus();
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(view, Qt::Key_Down);
    }
    EXPECT_EQ(grid.Row(), 30);
    EXPECT_GT(grid.TopRow(), 1);
    EXPECT_LE(plat::TwipsToPixels(grid.CellTop() + grid.CellHeight()),
              view->viewport()->y() + view->viewport()->height() + 1);
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_PageUp);
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(FlexGridTest, AHiddenColumnKeepsItsCellsAndTakesNoRoom) {
    grid.SetColWidth(0, 265);
    grid.SetColWidth(1, 0);
    grid.SetColWidth(2, 892);
    grid.SetTextMatrix(1, 1, "0.00");
    EXPECT_EQ(grid.ColWidth(1), 0);
    EXPECT_EQ(grid.TextMatrix(1, 1), "0.00");
    grid.SetRow(1);
    grid.SetCol(1);
    const int hiddenLeft = grid.CellLeft();
    grid.SetCol(2);
    EXPECT_EQ(grid.CellLeft(), hiddenLeft);
    EXPECT_EQ(grid.CellWidth(), 892);
    grid.SetCol(3);
    EXPECT_EQ(grid.CellLeft() - hiddenLeft, plat::PixelsToTwips(plat::TwipsToPixels(892)));
    EXPECT_EQ(grid.ColWidth(4), 960); // the default width
}

TEST_F(FlexGridTest, CellGeometryFollowsScrolling) {
    form.Show();
    grid.SetRow(5);
    grid.SetCol(2);
    const int top5 = grid.CellTop();
    const int height = grid.CellHeight();
    grid.SetTopRow(3);
    EXPECT_EQ(grid.TopRow(), 3);
    EXPECT_EQ(grid.CellTop(), top5 - 2 * height);
}

TEST_F(FlexGridTest, CellBackColoursAreReadable) {
    grid.SetRow(2);
    grid.SetCol(1);
    EXPECT_EQ(grid.CellBackColor(), 0u);
    grid.SetCellBackColor(0xC0C0C0);
    grid.SetCol(2);
    EXPECT_EQ(grid.CellBackColor(), 0u);
    grid.SetCol(1);
    EXPECT_EQ(grid.CellBackColor(), 0xC0C0C0u);
    grid.Clear();
    EXPECT_EQ(grid.CellBackColor(), 0u);
}

// What the model holds is what the control paints: cell colours, the default back colour, a hidden
// column that takes no room, and a change made while Redraw is off once it is on again.
TEST_F(FlexGridTest, TheViewPaintsTheModel) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    auto* view = static_cast<QAbstractScrollArea*>(grid.Widget());
    plat::GridModel& model = grid;
    const auto centre = [&](int row, int col) {
        model.Select(row, col);
        return QPoint(plat::TwipsToPixels(grid.CellLeft() + grid.CellWidth() / 2),
                      plat::TwipsToPixels(grid.CellTop() + grid.CellHeight() / 2)) -
               view->viewport()->pos();
    };
    const auto shown = [&](QPoint p) {
        return plat::FromQColor(view->viewport()->grab().toImage().pixelColor(p));
    };
    model.SetColWidth(1, 0);
    model.SetCellBackColor(2, 2, 0x0000FF);
    model.SetCellBackColor(3, 3, 0xFF0000);
    const QPoint red = centre(2, 2), blue = centre(3, 3), plain = centre(3, 2);
    model.Select(6, 4); // the current cell elsewhere
    EXPECT_EQ(shown(red), 0x0000FFu);
    EXPECT_EQ(shown(blue), 0xFF0000u);
    EXPECT_EQ(shown(plain), plat::kWhite);
    EXPECT_EQ(red.x(), centre(2, 1).x() + plat::TwipsToPixels(grid.ColWidth(2)) / 2); // column 1 is hidden

    model.SetRedraw(false);
    model.SetCellBackColor(2, 2, 0x00FF00);
    model.SetBackColor(0xE0E0E0);
    model.Select(6, 4);
    model.SetRedraw(true);
    EXPECT_EQ(shown(red), 0x00FF00u);
    EXPECT_EQ(shown(plain), 0xE0E0E0u);
}

TEST_F(FlexGridTest, RedrawFalseSuspendsPainting) {
    auto* view = static_cast<QAbstractScrollArea*>(grid.Widget());
    grid.SetRedraw(false);
    EXPECT_FALSE(grid.Redraw());
    EXPECT_FALSE(view->viewport()->updatesEnabled());
    grid.SetTextMatrix(1, 2, "1.000");
    grid.SetRedraw(true);
    EXPECT_TRUE(view->viewport()->updatesEnabled());
}

} // namespace
