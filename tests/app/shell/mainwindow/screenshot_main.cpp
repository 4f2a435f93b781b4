// Shows the main window on a real (virtual) display with the shipped sample model and keeps a picture
// of it in the test output folder, so that a person can look at it.
#include "GuiTest.h"

#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QMainWindow>

#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmResults.h"
#include "shell/dialogs/frmNewAbout.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"

using shell::Model;

using MainWindowScreenshot = WindowTest;

TEST_F(MainWindowScreenshot, RendersAtASensibleSize) {
    for (const char* file : {"cegs_site.inp", "cegs_site.3D", "Pellic.ini"})
        std::filesystem::copy_file(std::filesystem::path(PELLON_EXAMPLES_DIR) / file, dir_ / file);
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(200);
    QWidget* window = w.Window();
    const QPixmap shot = window->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / "main_window.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG"));
    EXPECT_GE(shot.width(), frmMain::kClientWidth);
    EXPECT_GE(shot.height(), frmMain::kClientHeight);
    EXPECT_LE(shot.width(), 1400);
    EXPECT_LE(shot.height(), 1000);
    // Something was drawn: a plain window has a handful of colours, the panels and icons many.
    const QImage image = shot.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    EXPECT_EQ(w.Caption(), "Vantrell Orvane - v060410");
}

namespace {

// The window's picture saved under the test output folder.
void Save(QWidget& window, const std::string& name) {
    const QPixmap shot = window.grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / name;
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG")) << name;
}

} // namespace

// One picture per kind of flight path, with its headings and units, in feet.
TEST_F(MainWindowScreenshot, EachFlightKind) {
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(200);
    const char* names[] = {"main_window_flight1_constant_radius.png", "main_window_flight2_linear_cut.png",
                           "main_window_flight3_pattern_a.png", "main_window_flight4_pattern_b.png",
                           "main_window_flight7_pattern_c.png"};
    for (int item = 0; item < 5; ++item) {
        w.cmbFlight->SetListIndex(item);
        plat::DoEvents(50);
        Save(*w.Window(), names[item]);
    }
}

TEST_F(MainWindowScreenshot, AboutBox) {
    auto& about = frmNewAbout();
    about.Show();
    plat::DoEvents(200);
    Save(*about.Window(), "about_box.png");
}

// F6 on the shipped example: the run, then its plot with the approach's analysis and the results.
TEST_F(MainWindowScreenshot, PlotAfterF6OnTheShippedExample) {
    PutExample(PELLON_EXAMPLES_DIR);
    auto& w = ShowMain();
    Model().YAxisVar = 1;
    boxes_->Expect("Parameter File Exists.\rOverwrite? ", plat::vbYes);
    w.Toolbar1->Click(7);
    ASSERT_TRUE(frmPlotLoaded());
    plat::DoEvents(300);
    Save(*frmPlot().Window(), "plot_window_after_f6.png");
    frmResults().Show();
    plat::DoEvents(200);
    Save(*frmResults().Window(), "plot_results_after_f6.png");
}
