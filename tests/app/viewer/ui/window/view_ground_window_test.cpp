#include <gtest/gtest.h>

#include <memory>

#include "ViewerProfileGrid.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

class ViewGroundWindow : public ::testing::Test {
protected:
    ViewGroundWindow() { plat::testing::Application(); }
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        saved_ = frmViewGround::MakeSurface();
        boxes_.X = {"0", "", "0"};
        boxes_.Y = {"-1000", "", "0"};
        boxes_.Z = {"", "", ""};
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        frmViewGround::MakeSurface() = saved_;
    }
    class frmViewGround& Loaded() {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
        host.antennaBoxes = [this] { return boxes_; };
        host.setAntennaBoxes = [this](const viewer::AntennaBoxes& b) { boxes_ = b; };
        host.useSI = [] { return false; };
        host.openedByView2D = [this] { return view2D_; };
        w.SetHost(host);
        plat::Load(w);
        return w;
    }
    void NoSurface() {
        frmViewGround::MakeSurface() = [](int, int) { return std::unique_ptr<plat::GlSurface>(); };
    }

    ViewerProfileGrid grid_{{"0", "1", "2", "4", "3"}};
    viewer::AntennaBoxes boxes_;
    bool view2D_ = false;
    frmViewGround::SurfaceFactory saved_;
};

TEST_F(ViewGroundWindow, FreeAndSideStartUps) {
    struct Case {
        bool view2D;
        bool side;
        int zExpansion;
        common::Vector3 eye;
    };
    for (const Case c : {Case{false, false, 1, {-1000, 0, 150}}, Case{true, true, 10, {0, 4000, 0}}}) {
        view2D_ = c.view2D;
        auto& w = Loaded();
        EXPECT_EQ(w.Caption(), "View Ground Data");
        EXPECT_EQ(w.opt3D0->Value(), c.side);
        EXPECT_EQ(w.opt3D1->Value(), !c.side);
        EXPECT_EQ(w.Slider2->Value(), c.zExpansion);
        EXPECT_EQ(w.View.Eye, c.eye);
        EXPECT_EQ(w.View.Target, (common::Vector3{0, 0, 0}));
        EXPECT_TRUE(w.UseOpenGL);
        EXPECT_EQ(w.RedrawCount(), 0);
        EXPECT_EQ(w.BackgroundColor, 0xFFFFFF);
        EXPECT_FLOAT_EQ(w.Grid3Color, 7976159.0F);
        EXPECT_EQ(w.Plotter->Width(), 11145);
        EXPECT_EQ(w.Plotter->Height(), 7500);
        plat::Unload(w);
        plat::DeleteWindowInstances();
    }
}

TEST_F(ViewGroundWindow, WithoutASurfaceTheWirePictureDrawsAndTheZoomSliderShows) {
    NoSurface();
    auto& w = Loaded();
    EXPECT_FALSE(w.UseOpenGL);
    EXPECT_FALSE(w.SurfaceCreated());
    EXPECT_TRUE(w.Slider1->Visible());
    EXPECT_FALSE(w.Slider3->Visible());
    EXPECT_FALSE(w.txtDist->Visible());
    w.LoadGroundNodes();
    ASSERT_EQ(w.Nodes().NodeCount(), 5);
    // Even with OpenGL asked for (key G), no surface means the wire picture.
    w.UseOpenGL = true;
    w.RedrawView();
    EXPECT_EQ(w.EyeColor, 0xFF);
}

TEST_F(ViewGroundWindow, EachSceneControlRedrawsOnceAndCheck1Never) {
    auto& w = Loaded();
    w.LoadGroundNodes();
    int expected = 0;
    for (plat::CheckBox* c :
         {w.chkExpandMesh.get(), w.chkShowTerrainLines.get(), w.chkShowElevGrid.get(), w.chkShowGrids.get(),
          w.chkShowGS.get(), w.chkShowLegend.get(), w.chkShowRunway.get()}) {
        c->SetValue(1 - c->Value());
        EXPECT_EQ(w.RedrawCount(), ++expected) << c->Name();
    }
    w.Check1->SetValue(1);
    EXPECT_EQ(w.RedrawCount(), expected);
    w.cmdRefresh->Click();
    EXPECT_EQ(w.RedrawCount(), ++expected);
    for (plat::Slider* s : {w.Slider1.get(), w.Slider2.get(), w.Slider3.get()}) {
        s->SetValue(s->Value() + 1);
        EXPECT_EQ(w.RedrawCount(), ++expected) << s->Name();
    }
}

TEST_F(ViewGroundWindow, ActivationReloadsAndRedrawsUnlessAnnotating) {
    auto& w = Loaded();
    w.Annotating = 1;
    w.Activate();
    EXPECT_EQ(w.RedrawCount(), 0);
    EXPECT_EQ(w.Nodes().NodeCount(), 0);
    w.Annotating = 0;
    w.Activate();
    EXPECT_EQ(w.RedrawCount(), 1);
    EXPECT_EQ(w.Nodes().NodeCount(), 5);
    // The OpenGL picture reached the plotter: the sky at its top-left.
    EXPECT_EQ(w.Plotter->Pixels().Pixel(2, 2), plat::RGB(0, 204, 255));
    // The empty antenna height box was set to "0" on the main window.
    EXPECT_EQ(boxes_.Z[0], "0");
}

TEST_F(ViewGroundWindow, NoNodesPrintsTheErrorAndUnloadReleasesTheSurface) {
    auto& w = Loaded();
    w.RedrawView();
    EXPECT_EQ(w.RedrawCount(), 1);
    EXPECT_TRUE(w.SurfaceCreated());
    plat::Unload(w);
    EXPECT_FALSE(w.SurfaceCreated());
    EXPECT_EQ(w.View.Motion, viewer::MotionState::Idle);
}

} // namespace

namespace {

// Metres mode: the grid and the antenna boxes are in metres, the scene in feet.
TEST_F(ViewGroundWindow, MetresAreReadAsFeet) {
    auto& w = Loaded();
    ViewGroundHost host;
    host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
    host.antennaBoxes = [this] { return boxes_; };
    host.setAntennaBoxes = [this](const viewer::AntennaBoxes& b) { boxes_ = b; };
    host.useSI = [] { return true; };
    w.SetHost(host);
    w.LoadGroundNodes();
    ASSERT_EQ(w.Nodes().NodeCount(), 5);
    EXPECT_FLOAT_EQ(w.Nodes().NodeZ[3], 4 * 3.281F);
    EXPECT_FLOAT_EQ(w.Nodes().NodeX[0], -2000 * 3.281F);
}

// The legend: a near-white box at the lower right of the picture, its text inside.
TEST_F(ViewGroundWindow, LegendBoxIsFilledAndLabelled) {
    auto& w = Loaded();
    w.LoadGroundNodes();
    w.chkShowLegend->SetValue(1);
    const plat::PixelBuffer& p = w.Plotter->Pixels();
    const int cx = static_cast<int>(p.Width() * 2.75 / 3);
    const int cy = static_cast<int>(p.Height() * 10.7 / 11);
    int light = 0;
    int dark = 0;
    for (int x = cx - 30; x <= cx + 30; ++x) {
        const plat::Colour c = p.Pixel(x, cy);
        light += c == plat::RGB(254, 254, 254) ? 1 : 0;
        dark += plat::GetRValue(c) < 128 && plat::GetGValue(c) < 128 ? 1 : 0;
    }
    EXPECT_GT(light, 10);
    EXPECT_GT(dark, 0);
}

// Text where numbers belong, an all-zero grid and 10000 nodes draw without failing.
TEST_F(ViewGroundWindow, BadTextZeroGridAndManyNodesDraw) {
    auto& w = Loaded();
    boxes_.X = {"abc", "1e999", ""};
    boxes_.Z = {"--", "", "x"};
    for (int r = 1; r < 6; ++r) {
        grid_.SetTextMatrix(r, 2, "0");
        grid_.SetTextMatrix(r, 3, "0");
    }
    w.LoadGroundNodes();
    w.RedrawView();
    shell::Model().ViewGroundSource = 1;
    plat::GridModel cuts;
    cuts.SetCols(4);
    cuts.SetRows(10102);
    int row = 1;
    for (int j = 0; j < 100; ++j) {
        cuts.SetTextMatrix(row++, 1, "X");
        for (int i = 0; i < 100; ++i, ++row) {
            cuts.SetTextMatrix(row, 1, std::to_string(10 * i));
            cuts.SetTextMatrix(row, 2, std::to_string(10 * j));
            cuts.SetTextMatrix(row, 3, j == 50 ? "zz" : "0");
        }
    }
    ViewGroundHost host;
    host.groundGrid = [&cuts]() -> const plat::GridModel* { return &cuts; };
    w.SetHost(host);
    w.LoadGroundNodes();
    EXPECT_EQ(w.Nodes().NodeCount(), 10000);
    w.RedrawView();
    w.chkExpandMesh->SetValue(0);
    EXPECT_EQ(w.RedrawCount(), 3);
}

} // namespace
