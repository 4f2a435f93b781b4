// The plot window and the results window: menus, the redraw on activation, F3, the results'
// labels, and unloading.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "platform/text/Strings.h"
#include "platform/ui/Keys.h"
#include "platform/ui/testing/UserInput.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmResults.h"

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

class PlotWindowTest : public plat::testing::ScratchFolderTest {
protected:
    PlotWindowTest() : ScratchFolderTest(std::filesystem::temp_directory_path() / "pellon_plot_window") {
        plat::testing::Application();
        Links();
    }
    void TearDown() override { plat::DeleteWindowInstances(); }

    // The white page has ink on it.
    static int Ink(const plat::PixelBuffer& pixels) {
        int n = 0;
        for (int y = 0; y < pixels.Height(); y += 2)
            for (int x = 0; x < pixels.Width(); x += 2)
                n += pixels.Pixel(x, y) != 0xFFFFFFU;
        return n;
    }

    plat::testing::ScriptedServices services;
};

TEST_F(PlotWindowTest, TheWindowItsPictureAndItsMenus) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    class frmPlot& w = frmPlot();
    EXPECT_EQ(w.Caption(), "Plot");
    EXPECT_EQ(w.Plotter->Pixels().Width(), 719);
    EXPECT_EQ(w.Plotter->Pixels().Height(), 555);
    const std::pair<const char*, const char*> items[] = {{"mnuPlotParameters", "&Parameters"},
                                                         {"mnuPlot", "Plot"},
                                                         {"mnuRefresh", "Refresh"},
                                                         {"mnuTestFile", "Test File"},
                                                         {"mnuAddTrace", "Add Trace"},
                                                         {"mnuRemoveTrace", "Remove Trace"},
                                                         {"mnuResults", "Results"},
                                                         {"mnuPlotSend", "&Send to File"},
                                                         {"mnuExit", "E&xit"}};
    for (const auto& [name, caption] : items)
        EXPECT_EQ(w.Menu(name).Caption(), caption) << name;
    for (const char* name : {"mnuPlotParameters", "mnuRefresh", "mnuTestFile", "mnuAddTrace", "mnuResults",
                             "mnuPlotSend", "mnuExit"})
        EXPECT_TRUE(w.Menu(name).Enabled()) << name;
    // No second trace to remove yet.
    EXPECT_FALSE(w.Menu("mnuRemoveTrace").Enabled());
    // Loading copies the path geometry and sets category I.
    shell::Model().ILSData.ToleranceCategory = 3;
    w.Show();
    plat::DoEvents(50);
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 1);
    EXPECT_EQ(shell::Model().ILSData.PathAngle, 3.0F);
    // Activation drew the run.
    EXPECT_GT(Ink(w.Plotter->Pixels()), 1000);
}

// With the reversal method the path angle on the page and in the results window is that method's,
// not the one an earlier smoothing analysis left.
TEST_F(PlotWindowTest, TheReversalMethodShowsItsOwnPathAngle) {
    // First an approach half a degree steeper than the model's path, by the smoothing method.
    Samples steep = Approach();
    for (std::size_t i = 0; i < steep.x.size(); ++i)
        steep.y[i] = StraightPathCDI(steep.x[i], 50, 3.5, 0.7) + 0.5 * 150 / 0.7;
    SetUpModel(3, Put("steep.prn", PlotFileText(steep)));
    class frmPlot& w = frmPlot();
    w.Show();
    plat::DoEvents(50);
    const std::string stale = frmResults().lblAngle->Caption();
    ASSERT_EQ(stale, plat::Format(shell::Model().ILSData.MeanAngleS, "##0.00"));

    // Then the model's own path by the reversal method, redrawn from the menu.
    shell::Model().OutFile = Put("approach.prn", PlotFileText(Approach()));
    shell::Model().PlotSettings.UseOldZ3Calc = 0;
    std::vector<plat::TextCall> log;
    w.Plotter->hDC().SetTextLog(&log);
    ASSERT_TRUE(plat::testing::ClickMenu(w, {"Plot", "Refresh"}));
    w.Plotter->hDC().SetTextLog(nullptr);
    const float meanAngle = shell::Model().ILSData.MeanAngleR;
    const std::string angle = plat::Format(meanAngle, "##0.00");
    ASSERT_NE(angle, stale);
    EXPECT_EQ(frmResults().lblAngle->Caption(), angle);
    EXPECT_EQ(frmResults().lblAveAng->Caption(), angle);
    std::vector<plat::TextCall> pathAngles;
    for (const plat::TextCall& t : log)
        if (t.text.starts_with("Path Angle = "))
            pathAngles.push_back(t);
    ASSERT_EQ(pathAngles.size(), 1U);
    EXPECT_EQ(pathAngles[0].text, "Path Angle = " + angle);
    EXPECT_EQ(pathAngles[0].at, (plat::POINT{6000, meanAngle > 3.0F ? 1400 : 6500}));
}

TEST_F(PlotWindowTest, TheResultsWindowShowsTheAnalysisAndFollowsF3AndThePlotWindow) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    class frmPlot& w = frmPlot();
    w.Show();
    plat::DoEvents(50);
    w.RefreshPlot();
    class frmResults& r = frmResults();
    EXPECT_EQ(r.Caption(), "Analysis Results ");
    EXPECT_EQ(r.fraResults->Caption(), "Results");
    EXPECT_EQ(r.lblBFSL->Caption(), "3.00");
    EXPECT_EQ(r.lblRDH->Caption(), "50.0");
    EXPECT_EQ(r.lblARDH->Caption(), "50.0");
    EXPECT_EQ(r.lblAngle->Caption(), r.lblAveAng->Caption());
    EXPECT_EQ(r.lblZone2->Caption().substr(r.lblZone2->Caption().size() - 2), "nm");
    EXPECT_EQ(r.lblWidth->Caption(), "");
    EXPECT_EQ(r.lblRPI->Caption(), "");
    EXPECT_EQ(r.lblCaption(1).Caption(), "Ave \xD8:");
    EXPECT_EQ(r.lblCaption(0).Caption(), "Angle / Align:");
    EXPECT_FALSE(r.Visible());

    int f3 = plat::key::F3;
    w.KeyDown(f3, 0);
    EXPECT_TRUE(r.Visible());
    w.KeyDown(f3, 0);
    EXPECT_FALSE(r.Visible());
    EXPECT_TRUE(frmResultsLoaded());

    // Results from the menu: shown and redrawn; again: unloaded.
    w.Menu("mnuResults").Trigger();
    EXPECT_TRUE(frmResults().Visible());
    w.Menu("mnuResults").Trigger();
    EXPECT_FALSE(frmResultsLoaded());

    // Closing the plot window unloads the results window.
    w.KeyDown(f3, 0);
    EXPECT_TRUE(frmResultsLoaded());
    w.Menu("mnuExit").Trigger();
    EXPECT_FALSE(frmPlotLoaded());
    EXPECT_FALSE(frmResultsLoaded());
}

TEST_F(PlotWindowTest, AModelEditedWhileTheWindowStaysOpenIsAnalysedAsItIsNow) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    class frmPlot& w = frmPlot();
    w.Show();
    plat::DoEvents(50);
    w.RefreshPlot();
    const float before = shell::Model().ILSData.ThAdjustHorizS;
    shell::Model().PathAngle = 2.5F;
    w.RefreshPlot();
    EXPECT_EQ(shell::Model().ILSData.PathAngle, 2.5F);
    EXPECT_NE(shell::Model().ILSData.ThAdjustHorizS, before);
}

TEST_F(PlotWindowTest, TheMainWindowsPlotStepOpensOnlyAFileOfOneByteOrMore) {
    const struct {
        const char* what;
        std::string name;
        bool opens;
    } cases[] = {{"empty name", "", false},
                 {"missing file", (dir_ / "none.prn").string(), false},
                 {"0-byte file", Put("empty.prn", ""), false},
                 {"plot file", Put("approach.prn", PlotFileText(Approach())), true}};
    for (const auto& c : cases) {
        SetUpModel(3, c.name);
        ShowPlotWindow();
        EXPECT_EQ(frmPlotLoaded(), c.opens) << c.what;
    }
    plat::DoEvents(50);
    // A second plot step redraws the open window: a new file shows at once.
    class frmPlot& w = frmPlot();
    const plat::PixelBuffer first = w.Plotter->Pixels();
    shell::Model().OutFile =
        Put("flat.prn", PlotFileText(Sampled(1000, 20000, 100, [](double) { return 40.0; })));
    ShowPlotWindow();
    int changed = 0;
    for (int y = 0; y < first.Height(); ++y)
        for (int x = 0; x < first.Width(); ++x)
            changed += w.Plotter->Pixels().Pixel(x, y) != first.Pixel(x, y);
    EXPECT_GT(changed, 500);
}

} // namespace
