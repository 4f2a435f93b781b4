// The array grid editor's window off screen: what loading shows for each kind of array, and a
// cell typed into, stored by Enter, discarded by Escape, and rows deleted and inserted by key.

#include "editors/arrayedit/frmArrayEdit.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/Form.h"
#include "shell/model/ModelVariables.h"

#include <QApplication>
#include <QTest>

using namespace shell;

namespace {

class ArrayEditWindow : public ::testing::Test {
protected:
    void TearDown() override {
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
    }
    class frmArrayEdit& Shown(std::uint8_t facility) {
        Model().Facility = facility;
        class frmArrayEdit& w = frmArrayEdit();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w;
    }
    static void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), m);
    }
    plat::testing::ScriptedServices services_;
};

TEST_F(ArrayEditWindow, LoadsAGlideSlopeOrALocalizerArray) {
    {
        auto& w = Shown(1);
        EXPECT_EQ(w.Caption(), "Edit Glideslope Array");
        EXPECT_TRUE(w.cmdCalculate->Visible());
        EXPECT_TRUE(w.txtInData(6).Visible());
        EXPECT_EQ(w.grdArray(1).Cols(), 10);
        EXPECT_EQ(w.grdArray(2).Rows(), 100);
        EXPECT_EQ(w.grdArray(1).TextMatrix(0, 2), "X(ft)            ");
        EXPECT_EQ(w.grdArray(1).ColWidth(0), 0);
        EXPECT_EQ(w.WorkingUnit(), 1.0);
        EXPECT_EQ(w.SelectedUnit(), 1);
        EXPECT_EQ(w.txtInData(1).Text(), "-99999.999");
        EXPECT_FALSE(w.mnuEdit->Visible());
        plat::DeleteWindowInstances();
    }
    auto& w = Shown(2);
    EXPECT_EQ(w.Caption(), "Edit Localizer Array");
    EXPECT_FALSE(w.cmdCalculate->Visible());
    EXPECT_FALSE(w.lblCalculate->Visible());
    EXPECT_FALSE(w.txtInData(6).Visible());
    EXPECT_EQ(w.grdArray(2).Cols(), 12);
    EXPECT_EQ(w.grdArray(2).TextMatrix(0, 11), "CLR Phs(deg)");
}

TEST_F(ArrayEditWindow, TypingStoresWithEnterAndDiscardsWithEscape) {
    auto& w = Shown(2);
    plat::FlexGrid& g = w.grdArray(1);
    g.SetRow(3);
    g.SetCol(2);
    g.SetFocus();
    Key('5');
    ASSERT_TRUE(w.txtData->Visible());
    EXPECT_EQ(w.txtData->Text(), "5");
    Key('0');
    Key(Qt::Key_Return);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(3, 2), "50");
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 3);

    Key('7');
    Key(Qt::Key_Escape);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(3, 3), "");

    g.SetCol(11);
    g.SetFocus();
    Key(Qt::Key_Return); // opens the box on the cell's own text
    EXPECT_EQ(w.txtData->Text(), "");
    Key('1');
    Key(Qt::Key_Return);
    EXPECT_EQ(g.TextMatrix(3, 11), "1");
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.Col(), 1);
}

TEST_F(ArrayEditWindow, DeleteAndInsertKeysMoveTheSelectedRows) {
    auto& w = Shown(1);
    plat::FlexGrid& g = w.grdArray(2);
    for (int r = 1; r < 100; ++r)
        g.SetTextMatrix(r, 1, std::to_string(r));
    g.SetRow(4);
    g.SetCol(1);
    g.SetRowSel(6);
    g.SetFocus();
    Key(Qt::Key_Delete);
    EXPECT_EQ(g.TextMatrix(4, 1), "7");
    EXPECT_EQ(g.TextMatrix(96, 1), "99");
    EXPECT_EQ(g.TextMatrix(97, 1), "");
    g.SetRow(2);
    Key(Qt::Key_Insert);
    EXPECT_EQ(g.TextMatrix(2, 1), "");
    EXPECT_EQ(g.TextMatrix(3, 1), "2");
    EXPECT_EQ(g.TextMatrix(5, 1), "7");
}

} // namespace
