// The floating cell box typed into with real keys: Enter stores two decimals and moves on, Escape
// leaves the cell as it was, a header cell opens no box, and the unsaved state follows the keys.

#include "Edit3DFixture.h"

#include <QApplication>
#include <QTest>

#include "platform/ui/testing/UserInput.h"

namespace {

class Edit3DKeys : public Edit3DTest {
protected:
    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
};

} // namespace

TEST_F(Edit3DKeys, EnterStoresAndMovesEscapeKeeps) {
    Put("g.3D", " 2 1\r\n1 2 3\r\n4 2 6\r\n");
    shell::Model().File3D = "g.3D";
    auto& w = Shown();
    plat::FlexGrid& g = *w.grdGround;
    ASSERT_TRUE(w.Saved());
    g.Select(1, 1);
    g.SetFocus();
    plat::testing::TypeKeys("12.5");
    ASSERT_TRUE(w.txtData->Visible());
    EXPECT_TRUE(w.txtData->HasFocus());
    EXPECT_EQ(w.txtData->Left(), g.Left() + g.CellLeft());
    EXPECT_EQ(w.txtData->Text(), "12.5");
    EXPECT_FALSE(w.Saved());
    EXPECT_TRUE(w.cmdSaveExit->Enabled());
    Press(Qt::Key_Return);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(1, 1), "12.50");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_TRUE(g.HasFocus());

    plat::testing::TypeKeys("99");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(1, 2), "2");

    // Down commits and moves to the last row; Enter on its Z goes to its Y.
    g.Select(1, 3);
    plat::testing::TypeKeys("7");
    Press(Qt::Key_Down);
    EXPECT_EQ(g.TextMatrix(1, 3), "7.00");
    EXPECT_EQ(g.Row(), 2);
    plat::testing::TypeKeys("2u");
    Press(Qt::Key_Return);
    EXPECT_EQ(g.TextMatrix(2, 3), "90.90");
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
}

TEST_F(Edit3DKeys, AHeaderCellOpensNoBox) {
    auto& w = Shown();
    plat::FlexGrid& g = *w.grdGround;
    g.Select(11, 2); // the header row of cut 2
    g.SetFocus();
    plat::testing::TypeKeys("5");
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(11, 2), " Y");
}
