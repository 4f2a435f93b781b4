// The ground profile grid in the main window: the floating editor typed into with real keys,
// closed by Enter or a click, the clipboard keys, an open edit reaching a saved file, and the
// ground buttons.

#include "../../../shell/mainwindow/GuiTest.h"

#include "editors/ground/GroundGridPanel.h"
#include "platform/services/Clipboard.h"
#include "platform/ui/testing/UserInput.h"
#include "platform/ui/Twips.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace shell;

namespace fs = std::filesystem;

namespace {

class GroundPanelWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        plat::SetClipboardService(std::make_unique<plat::MemoryClipboard>());
    }
    void TearDown() override {
        WindowTest::TearDown();
        plat::SetClipboardService(nullptr);
    }
    class frmMain& Started() {
        class frmMain& w = frmMain();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w;
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void Select(plat::FlexGrid& g, int row, int col) {
        g.SetRow(row);
        g.SetCol(col);
        g.SetFocus();
    }
};

TEST_F(GroundPanelWindow, TypingOpensTheEditorOverTheCellAndEnterWritesIt) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    g.SetTextMatrix(3, 2, "500");
    Select(g, 3, 3);
    plat::testing::TypeKeys("15");
    ASSERT_TRUE(w.txtData->Visible());
    EXPECT_TRUE(w.txtData->HasFocus());
    EXPECT_EQ(w.txtData->Left(), g.Left() + g.CellLeft());
    EXPECT_EQ(w.txtData->Top(), g.Top() + g.CellTop() - 15);
    plat::testing::TypeKeys("00");
    EXPECT_EQ(w.txtData->Text(), "1500");
    Press(Qt::Key_Return);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(3, 3), "1500.000");
    EXPECT_EQ(g.TextMatrix(3, 4), " X ");
    EXPECT_EQ(g.TextMatrix(4, 1), "0.000");
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_TRUE(g.HasFocus());

    plat::testing::TypeKeys("7");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(4, 2), "");
    plat::testing::TypeKeys("7");
    Press(Qt::Key_Down);
    EXPECT_EQ(g.TextMatrix(4, 2), "7.000");
    EXPECT_EQ(g.Row(), 5);
    EXPECT_TRUE(g.HasFocus());
}

TEST_F(GroundPanelWindow, AClickOnTheGridWritesTheEditAsLeavingTheEditorLeftIt) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    Select(g, 3, 2);
    plat::testing::TypeKeys("100m");
    plat::testing::ClickCell(g, 6, 3);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(3, 2), "328.08");
    EXPECT_EQ(g.Row(), 6);
    EXPECT_EQ(g.Col(), 3);
}

TEST_F(GroundPanelWindow, PastesLinesEndingInLfOrCrLfAndCopiesWithCrLf) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    plat::Clipboard().SetText("100\t5\t X\n200\t6\t X\r\n300\t7\t X\n");
    Select(g, 3, 2);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(4, 2), "200");
    EXPECT_EQ(g.TextMatrix(5, 3), "7");
    EXPECT_EQ(g.TextMatrix(6, 2), "");
    EXPECT_EQ(CountGroundRows(g), 5);

    Select(g, 4, 2);
    g.SetRowSel(5);
    g.SetColSel(3);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(plat::Clipboard().GetText(), "200\t6\r\n300\t7\r\n");
}

TEST_F(GroundPanelWindow, AnEditLeftOpenIsSavedAsShown) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    g.SetTextMatrix(3, 2, "700");
    g.SetTextMatrix(3, 4, " X ");
    Select(g, 3, 3);
    plat::testing::TypeKeys("250");
    const std::string file = (dir_ / "open_edit.inp").string();
    dialogs_->ExpectFile(file);
    w.Toolbar1->Click(2);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(3, 3), "250.000");
    const std::string text = Read("open_edit.inp");
    EXPECT_NE(text.find("\t\t3\t"), std::string::npos) << text;
    EXPECT_NE(text.find("700.000        250.000\r\n"), std::string::npos) << text;
}

TEST_F(GroundPanelWindow, FlattenAndRestoreWorkWhileTheViewerButtonsWait) {
    auto& w = Started();
    ASSERT_FALSE(w.Menu("mnuUse3D").Checked());
    EXPECT_TRUE(w.cmdFlat->Enabled());
    EXPECT_FALSE(w.cmdRestoreGnd->Enabled()); // nothing flattened yet
    EXPECT_TRUE(w.cmdView2D->Enabled()); // the 3D viewer of the profile
    EXPECT_TRUE(w.cmdDigi2D->Enabled()); // the digitiser takes the 2D profile
    EXPECT_FALSE(w.Command2->Enabled());

    plat::FlexGrid& g = *w.grdGround;
    w.cmdRestoreGnd->Click();
    EXPECT_EQ(g.TextMatrix(1, 3), "0.00");
    g.SetTextMatrix(2, 3, "12.5");
    g.SetTextMatrix(3, 2, "900");
    g.SetTextMatrix(3, 3, "30");
    Select(g, 2, 3);
    g.SetRowSel(3);
    w.cmdFlat->Click();
    EXPECT_EQ(g.TextMatrix(2, 3), "0.000");
    EXPECT_EQ(g.TextMatrix(3, 3), "0.000");
    EXPECT_TRUE(w.cmdRestoreGnd->Enabled());
    w.cmdRestoreGnd->Click();
    EXPECT_EQ(g.TextMatrix(1, 3), "0.000");
    EXPECT_EQ(g.TextMatrix(2, 3), "12.500");
    EXPECT_EQ(g.TextMatrix(3, 3), "30.000");
}

TEST_F(GroundPanelWindow, BackspaceDeleteAndTheMarkKeyReachTheRows) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    g.SetTextMatrix(3, 2, "25");
    g.SetTextMatrix(3, 3, "2");
    g.SetTextMatrix(3, 4, " X ");
    g.SetTextMatrix(4, 2, "40");
    g.SetTextMatrix(4, 3, "3");
    Select(g, 2, 2);
    Press(Qt::Key_Backspace);
    EXPECT_FALSE(w.txtData->Visible());
    EXPECT_EQ(g.TextMatrix(2, 2), "25.000");
    EXPECT_EQ(g.TextMatrix(3, 2), "40.000");
    EXPECT_EQ(g.TextMatrix(4, 2), "");
    EXPECT_EQ(g.TextMatrix(2, 4), " X");

    Select(g, 1, 3);
    Press(Qt::Key_Delete);
    EXPECT_EQ(g.TextMatrix(1, 2), "25.000");
    EXPECT_EQ(g.TextMatrix(2, 2), "40.000");
    EXPECT_EQ(g.TextMatrix(3, 2), "");

    Select(g, 2, 4);
    plat::testing::TypeKeys("x");
    EXPECT_EQ(g.TextMatrix(2, 4), "");
    plat::testing::TypeKeys(" ");
    EXPECT_EQ(g.TextMatrix(2, 4), " X ");
    EXPECT_FALSE(w.txtData->Visible());
}

} // namespace

TEST_F(GroundPanelWindow, RestoreWritesOnlyIntoTheProfileItWasTakenFrom) {
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp", dir_ / "cegs_site.inp");
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D");
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    const auto flattenRows1To2 = [&] {
        g.SetTextMatrix(2, 3, "12.5");
        Select(g, 1, 3);
        g.SetRowSel(2);
        QTest::mouseClick(w.cmdFlat->Inner(), Qt::LeftButton);
        EXPECT_EQ(g.TextMatrix(2, 3), "0.000");
        EXPECT_TRUE(w.cmdRestoreGnd->Enabled());
    };
    const std::pair<const char*, std::function<void()>> replacements[] = {
        {"New", [&] { w.Toolbar1->Click(1); }},
        {"Load",
         [&] {
             dialogs_->ExpectFile((dir_ / "cegs_site.inp").string());
             w.Menu("mnuLoad").Trigger();
         }},
    };
    for (const auto& [name, replace] : replacements) {
        SCOPED_TRACE(name);
        flattenRows1To2();
        replace();
        EXPECT_FALSE(w.cmdRestoreGnd->Enabled());
        // Neither switching the ground mode nor a click brings the old heights back.
        w.Toolbar1->Click(5);
        w.Toolbar1->Click(5);
        EXPECT_FALSE(w.cmdRestoreGnd->Enabled());
        const std::string z2 = g.TextMatrix(2, 3);
        const std::string z3 = g.TextMatrix(3, 3);
        QTest::mouseClick(w.cmdRestoreGnd->Inner(), Qt::LeftButton);
        EXPECT_EQ(g.TextMatrix(2, 3), z2);
        EXPECT_EQ(g.TextMatrix(3, 3), z3);
    }
    EXPECT_EQ(g.TextMatrix(3, 3), "-3.000"); // the loaded profile's own height
}

TEST_F(GroundPanelWindow, PastedRowsAreSavedWithTheProfile) {
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    plat::Clipboard().SetText("25000\t7\r\n30000\t9\r\n");
    Select(g, 3, 2);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.TextMatrix(3, 4), " X ");
    EXPECT_EQ(g.TextMatrix(4, 4), " X ");
    const std::string file = (dir_ / "pasted.inp").string();
    dialogs_->ExpectFile(file);
    w.Toolbar1->Click(2);
    const std::string text = Read("pasted.inp");
    EXPECT_NE(text.find("'SECTION'\t1 0 0\r\n\t\t4\t"), std::string::npos) << text;
    EXPECT_NE(text.find("9.000\r\n'SECTION'\t2 0 0"), std::string::npos) << text;
}
