// The digitiser opened from the main window's "Digi 2D" button: its points become the main window's
// ground profile, which the parameter file holds and the viewer reads as nodes.

#include "../../../shell/mainwindow/GuiTest.h"

#include "ground/digitise/ui/frmDigitizeGround.h"
#include "platform/services/Clipboard.h"
#include "platform/text/Numbers.h"
#include "platform/ui/testing/GuiTest.h"
#include "platform/ui/testing/UserInput.h"
#include "shell/mainwindow/logic/MenuTable.h"
#include "shell/model/ParamFile.h"
#include "viewer/logic/GroundNodes.h"

using namespace shell;

namespace {

class MainWindowDigitiser : public WindowTest {};

void Click(plat::CommandButton& button) {
    QTest::mouseClick(button.Widget(), Qt::LeftButton);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST_F(MainWindowDigitiser, PointsBecomeTheProfile) {
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(50);
    ASSERT_FALSE(w.Menu("mnuUse3D").Checked());
    ASSERT_TRUE(w.cmdDigi2D->Enabled());
    std::vector<std::pair<std::string, std::string>> points;
    plat::testing::Queue([&] {
        auto& d = frmDigitizeGround();
        EXPECT_TRUE(d.IsModal());
        d.cmdDigitize->Click();
        d.txtXMin->SetText("-500");
        d.txtXMax->SetText("1500");
        d.txtYMin->SetText("0");
        d.txtYMax->SetText("40");
        d.cmdUpdate->Click();
        for (auto [x, y] : {std::pair{1000., 4000.},
                            {1500., 1000.},
                            {4500., 4200.},
                            {3500., 1200.},
                            {2000., 3000.},
                            {2500., 2500.},
                            {3000., 2000.}})
            d.Plotter->MouseUp(1, 0, x, y);
        for (int r = 1; r <= 3; ++r)
            points.emplace_back(d.grdDigGround->TextMatrix(r, 0), d.grdDigGround->TextMatrix(r, 1));
        d.cmdDigitize->Click();                      // "End/Reset"
        EXPECT_FALSE(d.optXferMethod[2]->Enabled()); // the ground editor is not showing
        // The main window in 3D ground mode meanwhile, so that the transfer's switch shows.
        w.Menu("mnuUse3D").Trigger();
        EXPECT_TRUE(w.Menu("mnuUse3D").Checked());
        EXPECT_FALSE(w.cmdFlat->Enabled());
        d.cmdGoXfer->Click();
    });
    w.cmdDigi2D->Click();
    ASSERT_EQ(points.size(), 3U);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(w.grdGround->TextMatrix(r, 2), points[r - 1].first);
        EXPECT_EQ(w.grdGround->TextMatrix(r, 3), points[r - 1].second);
        EXPECT_EQ(w.grdGround->TextMatrix(r, 4), " X ");
    }
    EXPECT_EQ(w.grdGround->TextMatrix(4, 2) + w.grdGround->TextMatrix(4, 4), "");
    // 2D ground mode, as the 3D menu leaves it unchecked (the toolbar's two-dimensional image).
    EXPECT_FALSE(w.Menu("mnuUse3D").Checked());
    EXPECT_EQ(w.Toolbar1->Buttons(5).Image(), static_cast<int>(ToolbarImage::Ground2D));
    EXPECT_TRUE(w.grdGround->Enabled());
    EXPECT_TRUE(w.cmdFlat->Enabled());
    EXPECT_TRUE(w.cmdDigi2D->Enabled());
    EXPECT_FALSE(w.Command2->Enabled());
    // The profile as the parameter file counts it and the viewer loads it.
    EXPECT_EQ(CountGroundRows(*w.grdGround), 3);
    const viewer::GroundNodes nodes = viewer::LoadGroundNodes(*w.grdGround, false);
    ASSERT_EQ(nodes.NodeCount(), 3);
    EXPECT_FLOAT_EQ(nodes.NodeX[1], static_cast<float>(plat::Val(points[1].first)));
    EXPECT_FLOAT_EQ(nodes.NodeZ[1], static_cast<float>(plat::Val(points[1].second)));
    dialogs_->ExpectFile((dir_ / "digi.inp").string());
    w.Menu("mnuSave").Trigger();
    const std::string written = ReadFile(dir_ / "digi.inp");
    for (const auto& [y, z] : points)
        EXPECT_NE(written.find(y), std::string::npos) << y;
}

// A transfer is an edit of the model: Exit and New ask about it. A transfer refused for too many
// points leaves the window usable; with a point removed (its row emptied) the transfer goes through.
TEST_F(MainWindowDigitiser, ATransferIsAnEditAndARefusedOneCanBeRepeated) {
    auto& w = frmMain();
    w.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.Window()));
    ASSERT_FALSE(w.lblChanged->Visible());
    const int capacity = w.grdGround->Rows() - 1;
    std::string points;
    for (int i = 1; i <= capacity + 1; ++i)
        points += std::to_string(100 * i) + "\t" + std::to_string(i) + "\r\n";
    bool refusedThenUsable = false;
    plat::testing::Queue([&] {
        auto& d = frmDigitizeGround();
        Click(*d.cmdDigitize);
        d.txtXMax->SetText("100");
        d.txtYMax->SetText("50");
        Click(*d.cmdUpdate);
        // The points pasted into the points grid.
        plat::Clipboard().SetText(points);
        d.grdDigGround->Select(1, 0);
        d.grdDigGround->SetFocus();
        QTest::keyClick(d.grdDigGround->Widget(), Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(d.grdDigGround->TextMatrix(capacity + 1, 0), std::to_string(100 * (capacity + 1)));
        Click(*d.cmdDigitize); // "End/Reset"
        boxes_->Expect("The ground grid holds " + std::to_string(capacity) + " points; " +
                           std::to_string(capacity + 1) +
                           " were digitized. Remove points before the transfer.",
                       plat::vbOK);
        Click(*d.cmdGoXfer);
        refusedThenUsable = d.cmdDigitize->Enabled() && d.fraXferData->Visible() && !d.WasUnloaded();
        // The last point removed: its cell emptied in the editor and left by a click on the grid.
        d.grdDigGround->Select(capacity + 1, 0);
        d.grdDigGround->SetFocus();
        QTest::keyClick(d.grdDigGround->Widget(), 'x');
        QTest::keyClick(d.txtData->Widget(), Qt::Key_Backspace);
        plat::testing::ClickCell(*d.grdDigGround, 1, 1);
        EXPECT_EQ(d.grdDigGround->TextMatrix(capacity + 1, 0), "");
        Click(*d.cmdGoXfer);
    });
    Click(*w.cmdDigi2D);
    EXPECT_TRUE(refusedThenUsable);
    EXPECT_EQ(w.grdGround->TextMatrix(capacity, 2), std::to_string(100 * capacity));
    EXPECT_EQ(w.grdGround->TextMatrix(capacity, 4), " X ");
    EXPECT_TRUE(w.lblChanged->Visible());
    // New asks (Cancel keeps the model); Exit asks for a name to save under (cancelled: it stays).
    boxes_->Expect(kSaveChangesQuestion, plat::vbCancel);
    ASSERT_TRUE(plat::testing::ClickMenu(w, {"&File", "&New Param File"}));
    EXPECT_EQ(w.grdGround->TextMatrix(capacity, 2), std::to_string(100 * capacity));
    dialogs_->ExpectCancel();
    ASSERT_TRUE(plat::testing::ClickMenu(w, {"&File", "Exit"}));
    EXPECT_FALSE(w.WasUnloaded());
}
