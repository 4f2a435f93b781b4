// What the viewer writes on its picture can be read: the no-points message once, in one place,
// however often the view is redrawn; the legend's text inside its white box.
#include <gtest/gtest.h>

#include "ground/ui/frmEdit3D.h"
#include "platform/services/Clock.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

class ViewerTexts : public ::testing::Test {
protected:
    ~ViewerTexts() override { plat::DeleteWindowInstances(); }
    const plat::testing::ScriptedServices services;
    std::vector<plat::TextCall> log;
};

TEST_F(ViewerTexts, TheNoPointsMessageOnceInOnePlace) {
    auto& v = frmViewGround();
    v.SetHost({});
    v.Show();
    plat::DoEvents(100);
    for (const bool openGL : {true, false}) {
        v.UseOpenGL = openGL;
        v.Plotter->hDC().SetTextLog(&log);
        v.RedrawView();
        v.RedrawView();
        v.Plotter->hDC().SetTextLog(nullptr);
        ASSERT_EQ(log.size(), 2U) << openGL;
        EXPECT_EQ(log[0].text, "Plot Error: Number of Points = 0");
        EXPECT_EQ(log[0].at, log[1].at) << openGL;
        log.clear();
    }
    plat::Unload(v);
}

TEST_F(ViewerTexts, TheLegendTextLiesInsideItsBox) {
    shell::Model().File3D = (std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D").string();
    plat::Load(frmEdit3D());
    auto& v = frmViewGround();
    ViewGroundHost host;
    host.groundGrid = []() -> const plat::GridModel* { return frmEdit3D().grdGround.get(); };
    v.SetHost(host);
    v.Show();
    plat::DoEvents(100);
    v.LoadGroundNodes();
    ASSERT_TRUE(v.UseOpenGL);
    for (const int elevationGrid : {0, 1}) {
        v.chkShowElevGrid->SetValue(elevationGrid);
        v.Plotter->hDC().SetTextLog(&log);
        v.chkShowLegend->SetValue(0);
        v.chkShowLegend->SetValue(1);
        v.Plotter->hDC().SetTextLog(nullptr);
        ASSERT_FALSE(log.empty());
        const plat::TextCall legend = log.back();
        EXPECT_EQ(legend.text.rfind("Grid = ", 0), 0U) << legend.text;
        plat::SIZE extent{};
        v.Plotter->hDC().GetTextExtentPoint32(legend.text, extent);
        const plat::PixelBuffer& picture = v.Plotter->Pixels();
        const int middle = legend.at.y + extent.cy / 2;
        for (const int x : {legend.at.x - 2, legend.at.x + extent.cx + 1})
            EXPECT_EQ(picture.Pixel(x, middle), plat::RGB(254, 254, 254)) << legend.text << " at " << x;
        log.clear();
    }
    plat::Unload(v);
}

} // namespace
