// The OpenGL redraw's text results: the threshold elevation it finds, shown as "#####0.00", or the
// box's text kept when it finds none; and, without nodes, the error text instead of a picture.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

// A main-window profile grid of (Y, Z) rows, "X" in column 4.
class Profile : public plat::GridModel {
public:
    Profile(std::initializer_list<std::pair<const char*, const char*>> rows) {
        SetCols(5);
        SetRows(static_cast<int>(rows.size()) + 1);
        int r = 1;
        for (const auto& [y, z] : rows) {
            SetTextMatrix(r, 2, y);
            SetTextMatrix(r, 3, z);
            SetTextMatrix(r++, 4, "X");
        }
    }
};

class DrawGLView : public ::testing::Test {
protected:
    DrawGLView() { plat::testing::Application(); }
    void SetUp() override { shell::Model() = shell::ModelVariables{}; }
    void TearDown() override { plat::DeleteWindowInstances(); }
    // A side-view viewer (as "View 2D" opens it) over the grid, drawn once.
    class frmViewGround& Drawn(const plat::GridModel& grid, int autoElev, const std::string& typed) {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [&grid]() -> const plat::GridModel* { return &grid; };
        host.openedByView2D = [] { return true; };
        w.SetHost(host);
        plat::Load(w);
        w.chkAutoElev->SetValue(autoElev);
        w.txtTHElev->SetText(typed);
        w.LoadGroundNodes();
        w.RedrawView();
        return w;
    }
};

TEST_F(DrawGLView, ThresholdElevationShownOrTypedTextKept) {
    struct Case {
        Profile grid;
        int autoElev;
        const char* shown;
    };
    const Case cases[] = {
        {{{"-500", "1"}, {"0", "2"}, {"700", "4"}}, 1, "2.00"}, // a node at the threshold
        {{{"-1000", "1"}, {"1000", "4"}}, 1, "2.50"},           // between two nodes
        {{{"-1000", "1234.5678"}, {"1000", "1234.5678"}}, 1, "1234.57"},
        {{{"100", "1"}, {"900", "4"}}, 1, "typed"},              // not bracketed: the text
        {{{"-500", "1"}, {"0", "2"}, {"700", "4"}}, 0, "typed"}, // AutoElev off
    };
    for (const Case& c : cases) {
        auto& w = Drawn(c.grid, c.autoElev, "typed");
        EXPECT_EQ(w.txtTHElev->Text(), c.shown);
        EXPECT_EQ(w.Plotter->Pixels().Pixel(2, 2), plat::RGB(0, 204, 255)) << "the picture was drawn";
        plat::Unload(w);
        plat::DeleteWindowInstances();
    }
}

// No nodes: the message is written on the white picture (a few dark pixels, no sky), nothing drawn.
TEST_F(DrawGLView, NoNodesWritesTheErrorInsteadOfAPicture) {
    const Profile empty{};
    auto& w = Drawn(empty, 1, "0");
    ASSERT_EQ(w.Nodes().NodeCount(), 0);
    const plat::PixelBuffer& p = w.Plotter->Pixels();
    int dark = 0;
    for (int y = 0; y < p.Height(); ++y) {
        for (int x = 0; x < p.Width(); ++x) {
            const plat::Colour c = p.Pixel(x, y);
            ASSERT_NE(c, plat::RGB(0, 204, 255)) << x << "," << y;
            dark += plat::GetRValue(c) < 128 ? 1 : 0;
        }
    }
    // "Plot Error: Number of Points = 0" in the picture's default font: a few hundred pixels.
    EXPECT_GT(dark, 50);
    EXPECT_LT(dark, 5000);
}

} // namespace
