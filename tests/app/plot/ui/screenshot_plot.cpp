// Shows the plot window and the results window on a real (virtual) display and keeps pictures of
// them in the test output folder, so that a person can look at them: an approach with its analysis
// and a level run.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmResults.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

class PlotScreenshot : public plat::testing::ScratchFolderTest {
protected:
    PlotScreenshot() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "plot_screenshot") {
        plat::testing::Application();
        Links();
    }
    void TearDown() override { plat::DeleteWindowInstances(); }
    static void Save(plat::Form& form, const std::string& name) {
        const QPixmap shot = form.Window()->grab();
        const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / name;
        ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG")) << name;
        EXPECT_GE(shot.width(), 719);
    }
    plat::testing::ScriptedServices services;
};

TEST_F(PlotScreenshot, AnApproachAndItsResults) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    ShowPlotWindow();
    plat::DoEvents(200);
    frmPlot().RefreshPlot();
    plat::DoEvents(100);
    Save(frmPlot(), "plot_window_approach.png");
    frmResults().Show();
    plat::DoEvents(200);
    const QPixmap shot = frmResults().Window()->grab();
    ASSERT_TRUE(shot.save(
        QString::fromStdString((std::filesystem::path(TEST_OUTPUT_DIR) / "plot_results_window.png").string()),
        "PNG"));
}

TEST_F(PlotScreenshot, ALevelRun) {
    SetUpModel(4, Put("level.prn", PlotFileText(LevelRun())));
    ShowPlotWindow();
    plat::DoEvents(200);
    frmPlot().RefreshPlot();
    plat::DoEvents(100);
    Save(frmPlot(), "plot_window_level_run.png");
}

} // namespace
