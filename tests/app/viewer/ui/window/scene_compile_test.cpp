// The viewer's compiled OpenGL scene through the window's controls: a camera step redraws from the
// list made before; a switch, the Z scale, the colour scale and new nodes compile it again, and the
// picture follows them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "ViewerProfileGrid.h"
#include "ViewerShown.h"
#include "platform/services/Clock.h"
#include "platform/ui/Form.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

bool Same(const plat::PixelBuffer& a, const plat::PixelBuffer& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

class ViewerSceneCompile : public ::testing::Test {
protected:
    ViewerSceneCompile() { plat::testing::Application(); }
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }
    class frmViewGround& Shown() {
        return ShowViewer([this]() -> const plat::GridModel* { return &grid_; });
    }
    static void Click(plat::Control& c) { QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(6, 6)); }
    // The user goes to another window and back: the viewer is activated anew and reloads its nodes.
    static void Reactivate(class frmViewGround& w) {
        plat::Form other("frmOther");
        other.Show();
        ActivateAndWait(*other.Window());
        ActivateAndWait(*w.Window());
    }
    static void ActivateAndWait(QWidget& window) {
        window.activateWindow();
        for (int i = 0; i < 100 && !window.isActiveWindow(); ++i) {
            plat::DoEvents(10);
        }
        ASSERT_TRUE(window.isActiveWindow());
        plat::DoEvents(10);
    }

    ViewerProfileGrid grid_{{"0", "5", "10", "20", "15"}};
};

TEST_F(ViewerSceneCompile, TheCameraRedrawsFromTheListAndTheSceneControlsCompileItAgain) {
    auto& w = Shown();
    ASSERT_TRUE(w.SurfaceCreated());
    ASSERT_GT(w.RedrawCount(), 0);
    EXPECT_EQ(w.SceneCompiles(), 1);
    const plat::PixelBuffer first = w.Plotter->Pixels();

    // Camera steps: distance, elevation and lateral angle buttons, and an arrow key.
    int redraws = w.RedrawCount();
    for (const int button : {17, 0, 4}) {
        Click(w.cmdAngleUp(button));
        EXPECT_EQ(w.RedrawCount(), ++redraws) << button;
    }
    QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_Right);
    EXPECT_EQ(w.RedrawCount(), ++redraws);
    EXPECT_EQ(w.SceneCompiles(), 1);
    EXPECT_FALSE(Same(w.Plotter->Pixels(), first)) << "the camera moved";

    int compiles = 1;
    const auto changed = [&](const char* what) {
        EXPECT_EQ(w.SceneCompiles(), ++compiles) << what;
        const plat::PixelBuffer before = w.Plotter->Pixels();
        Click(*w.cmdRefresh);
        EXPECT_EQ(w.SceneCompiles(), compiles) << what << ": a redraw with nothing changed";
        EXPECT_TRUE(Same(w.Plotter->Pixels(), before)) << what;
    };
    plat::PixelBuffer before = w.Plotter->Pixels();
    Click(*w.chkShowTerrainLines);
    EXPECT_FALSE(Same(w.Plotter->Pixels(), before)) << "the terrain lines went";
    changed("terrain lines");
    for (plat::Slider* s : {w.Slider2.get(), w.Slider3.get()}) {
        before = w.Plotter->Pixels();
        QTest::keyClick(s->Widget(), Qt::Key_Right);
        EXPECT_FALSE(Same(w.Plotter->Pixels(), before)) << s->Name();
        changed(s->Name().c_str());
    }

    // The same nodes loaded again compile nothing; other heights do.
    Reactivate(w);
    EXPECT_EQ(w.SceneCompiles(), compiles);
    grid_.SetTextMatrix(3, 3, "40");
    before = w.Plotter->Pixels();
    Reactivate(w);
    EXPECT_EQ(w.Nodes().NodeZ[2], 40.0F);
    EXPECT_FALSE(Same(w.Plotter->Pixels(), before)) << "the new height shows";
    changed("nodes");
}

} // namespace
