// Shows the plot window and the results window on a real (virtual) display and keeps pictures of
// them in the test output folder, so that a person can look at them: an approach with its analysis,
// a level run, a zoom box being dragged, the polar read-out, and the plot parameters dialog.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmPlotParams.h"
#include "plot/ui/frmResults.h"

#include <QPixmap>
#include <QTest>

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

TEST_F(PlotScreenshot, AZoomBoxBeingDragged) {
    SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
    ShowPlotWindow();
    plat::DoEvents(200);
    QWidget* p = frmPlot().Plotter->Widget();
    QTest::mouseMove(p, QPoint(200, 150));
    QTest::mousePress(p, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(p, QPoint(320, 230));
    QTest::mouseMove(p, QPoint(450, 330));
    plat::DoEvents(100);
    ASSERT_TRUE(frmPlot().shpBox->Visible());
    Save(frmPlot(), "plot_window_zoom_drag.png");
    QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(450, 330));
    plat::DoEvents(100);
    Save(frmPlot(), "plot_window_zoomed.png");
}

TEST_F(PlotScreenshot, ThePolarReadOut) {
    SetUpModel(1, Put("orbit.prn",
                      PlotFileText(Sampled(0, 360, 2, [](double a) { return 10 * std::sin(a / 20); }))));
    ShowPlotWindow();
    plat::DoEvents(200);
    QWidget* p = frmPlot().Plotter->Widget();
    // The pointer settles first: on a display its move arrives later and would hide the read-out.
    QTest::mouseMove(p, QPoint(400, 200));
    plat::DoEvents(200);
    QTest::mouseClick(p, Qt::MiddleButton, {}, QPoint(400, 200));
    plat::DoEvents(100);
    ASSERT_TRUE(frmPlot().lblTag->Visible());
    Save(frmPlot(), "plot_window_polar_readout.png");
}

TEST_F(PlotScreenshot, TheParametersDialog) {
    SetUpModel(3, "");
    shell::Model().PlotSettings.PlotLabel = "Approach, runway 27";
    shell::Model().PlotSettings.PlotAxisMode = 9;
    class frmPlotParams& d = frmPlotParams();
    d.Show();
    plat::DoEvents(200);
    const QPixmap shot = d.Window()->grab();
    EXPECT_GE(shot.width(), 400);
    ASSERT_TRUE(
        shot.save(QString::fromStdString(
                      (std::filesystem::path(TEST_OUTPUT_DIR) / "plot_parameters_dialog.png").string()),
                  "PNG"));
}

} // namespace
