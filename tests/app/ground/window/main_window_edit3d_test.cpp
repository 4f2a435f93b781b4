// The ground editor opened from the main window: its menu item and the ground panel's "Edit 3D"
// button show it modal, centred over the main window, reading the model's 3D file.

#include "../../shell/mainwindow/GuiTest.h"

#include "ground/ui/frmEdit3D.h"

using namespace shell;

namespace {

class MainWindowEdit3D : public WindowTest {};

} // namespace

TEST_F(MainWindowEdit3D, MenuAndButtonOpenTheEditorModalOverTheMainWindow) {
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(50);
    std::filesystem::copy_file(std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "site.3D");
    w.Menu("mnuUse3D").Trigger();
    ASSERT_TRUE(w.Menu("mnuUse3D").Checked());
    const std::function<void()> openers[] = {[&w] { w.Menu("mnuEdit3D").Trigger(); },
                                             [&w] { w.Command2->Click(); }};
    for (const auto& open : openers) {
        Model().File3D = "site.3D";
        bool seen = false;
        plat::testing::Queue([&] {
            auto& e = frmEdit3D();
            seen = true;
            EXPECT_TRUE(e.IsModal());
            EXPECT_EQ(e.NumY(), 8);
            EXPECT_EQ(Model().ViewGroundSource, 1);
            EXPECT_NEAR(e.Left(), w.Left() + w.Width() / 2 - e.Width() / 2, 15);
            EXPECT_NEAR(e.Top(), w.Top() + w.Height() / 2 - e.Height() / 2, 15);
            e.cmdExit->Click();
        });
        open();
        EXPECT_TRUE(seen);
        EXPECT_EQ(w.lbl3DFile->Caption(), "site.3D");
    }
}
