// The viewer opened from the main window's "View 2D" (modeless, side view, the profile grid) and from
// the ground editor's "View Ground Profile" (modal, the editor's cuts, even while the main window's
// viewer is open), and a viewer left open after the editor closed.

#include "../../../shell/mainwindow/GuiTest.h"

#include "ground/ui/frmEdit3D.h"
#include "viewer/ui/frmViewGround.h"

using namespace shell;

namespace {

class ViewerWiring : public WindowTest {};

void TypeProfile(plat::FlexGrid& grid) {
    const char* rows[][2] = {{"-1000", "0"}, {"0", "2"}, {"1000", "4"}};
    for (int r = 0; r < 3; ++r) {
        grid.SetTextMatrix(r + 1, 2, rows[r][0]);
        grid.SetTextMatrix(r + 1, 3, rows[r][1]);
        grid.SetTextMatrix(r + 1, 4, "X");
    }
}

} // namespace

TEST_F(ViewerWiring, View2DOpensModelessInSideViewAndTheEditorReopensItModal) {
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(50);
    TypeProfile(*w.grdGround);
    ASSERT_TRUE(w.cmdView2D->Enabled());
    w.cmdView2D->SetValue(true);
    ASSERT_TRUE(ViewGroundLoaded());
    auto& v = frmViewGround();
    EXPECT_FALSE(v.IsModal());
    EXPECT_EQ(Model().ViewGroundSource, 0);
    EXPECT_TRUE(v.opt3D0->Value());
    v.LoadGroundNodes();
    EXPECT_EQ(v.Nodes().NodeCount(), 3);

    // The editor: its cuts are read, in a viewer shown modal after the modeless one closed.
    plat::Load(frmEdit3D());
    EXPECT_EQ(Model().ViewGroundSource, 1);
    bool seen = false;
    plat::testing::Queue([&] {
        auto& modal = frmViewGround();
        seen = true;
        EXPECT_TRUE(modal.IsModal());
        EXPECT_TRUE(modal.opt3D1->Value());
        plat::Unload(modal);
    });
    frmEdit3D().Command2->Click();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(ViewGroundLoaded());

    // A viewer of the main window left open after the editor closed reads the cuts it last saw.
    w.cmdView2D->SetValue(true);
    Model().ViewGroundSource = 1;
    frmViewGround().LoadGroundNodes();
    const int cutsNodes = frmViewGround().Nodes().NodeCount();
    boxes_->Expect(
        "This data has been changed since it was last saved.  Would you like to save now before exiting?",
        plat::vbNo);
    plat::Unload(frmEdit3D());
    frmViewGround().LoadGroundNodes();
    EXPECT_EQ(frmViewGround().Nodes().NodeCount(), cutsNodes);
    EXPECT_FALSE(Edit3DLoaded());
}
