// The plot window's mouse and keys, driven by real events: the zoom box, the double click, the polar
// read-out, the filter and category keys; and "Test File" and the second trace.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "platform/text/Strings.h"
#include "platform/ui/Twips.h"
#include "plot/logic/CDIFilter.h"
#include "plot/ui/frmPlot.h"

#include <QTest>

#include <clocale>
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

class PlotInteractionTest : public plat::testing::ScratchFolderTest {
protected:
    PlotInteractionTest()
        : ScratchFolderTest(std::filesystem::temp_directory_path() / "pellon_plot_interaction") {
        plat::testing::Application();
        Links();
    }
    void TearDown() override { plat::DeleteWindowInstances(); }
    class frmPlot& Shown(std::uint8_t runType = 3) {
        SetUpModel(runType, Put("run.prn", PlotFileText(runType == 4 ? LevelRun() : Approach())));
        class frmPlot& w = frmPlot();
        w.Show();
        plat::DoEvents(50);
        return w;
    }
    static plot::PlotSettings& Settings() { return shell::Model().PlotSettings; }
    static void Drag(class frmPlot& w, QPoint from, QPoint to) {
        QWidget* p = w.Plotter->Widget();
        QTest::mouseMove(p, from);
        QTest::mousePress(p, Qt::LeftButton, {}, from);
        QTest::mouseMove(p, (from + to) / 2);
        QTest::mouseMove(p, to);
        QTest::mouseRelease(p, Qt::LeftButton, {}, to);
    }
    static void Key(class frmPlot& w, Qt::Key key) { QTest::keyClick(w.Window(), key); }
    static int Ink(const plat::PixelBuffer& pixels) {
        int n = 0;
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x)
                n += pixels.Pixel(x, y) != 0xFFFFFFU;
        return n;
    }
    plat::testing::ScriptedServices services;
};

// The value under a pixel of the plot area before a zoom, worked out from the page: one inch of
// margin left and right of 11, and top and bottom of 8.5.
double ValueX(const plot::PlotSettings& s, double px) {
    const double left = 719.0 / 11, right = 719.0 * 10 / 11;
    return s.PlotXMin + (px - left) / (right - left) * (s.PlotXMax - s.PlotXMin);
}
double ValueY(const plot::PlotSettings& s, double py) {
    const double top = 555.0 / 8.5, bottom = 555.0 * 7.5 / 8.5;
    return s.PlotYMax - (py - top) / (bottom - top) * (s.PlotYMax - s.PlotYMin);
}

TEST_F(PlotInteractionTest, AClickWithoutMovingNeitherZoomsNorReadsOut) {
    class frmPlot& w = Shown(1);
    const plot::PlotSettings before = Settings();
    QTest::mouseMove(w.Plotter->Widget(), QPoint(400, 277));
    QTest::mouseClick(w.Plotter->Widget(), Qt::LeftButton, {}, QPoint(400, 277));
    EXPECT_TRUE(Settings() == before);
    EXPECT_FALSE(w.lblTag->Visible());
    EXPECT_EQ(w.DragState(), 0);
}

TEST_F(PlotInteractionTest, DragsInOppositeDirectionsZoomToTheSameBoxKeepingTheCdiAxisInverted) {
    class frmPlot& w = Shown(3);
    const plot::PlotSettings start = Settings();
    ASSERT_LT(start.PlotYMax, start.PlotYMin) << "a CDI plot has -100 at the top";
    const QPoint a(150, 120), b(450, 380);
    Drag(w, a, b);
    EXPECT_EQ(w.DragState(), 0) << "the click that ends the drag";
    EXPECT_FALSE(w.shpBox->Visible());
    const plot::PlotSettings down = Settings();
    EXPECT_EQ(down.PlotAxisMode, 5);
    EXPECT_EQ(down.PlotXTics, 5);
    EXPECT_EQ(down.PlotYTics, 5);
    EXPECT_NEAR(down.PlotXMin, ValueX(start, a.x()), 1e-2 * std::fabs(start.PlotXMax - start.PlotXMin));
    EXPECT_NEAR(down.PlotXMax, ValueX(start, b.x()), 1e-2 * std::fabs(start.PlotXMax - start.PlotXMin));
    EXPECT_NEAR(down.PlotYMax, ValueY(start, a.y()), 1e-2 * std::fabs(start.PlotYMax - start.PlotYMin));
    EXPECT_NEAR(down.PlotYMin, ValueY(start, b.y()), 1e-2 * std::fabs(start.PlotYMax - start.PlotYMin));
    EXPECT_LT(down.PlotYMax, down.PlotYMin) << "negative values stay at the top";
    EXPECT_EQ(down.PlotYDir, -1);
    // The other way round, from the same start.
    Settings() = start;
    Drag(w, b, a);
    EXPECT_TRUE(Settings() == down);
}

TEST_F(PlotInteractionTest, TheBoxFollowsThePointerAndOnlyTheReleaseRedraws) {
    class frmPlot& w = Shown(3);
    const plat::PixelBuffer page = w.Plotter->Pixels();
    QWidget* p = w.Plotter->Widget();
    QTest::mouseMove(p, QPoint(300, 200));
    QTest::mousePress(p, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(w.DragState(), 1);
    EXPECT_TRUE(w.shpBox->Visible());
    QTest::mouseMove(p, QPoint(200, 150));
    EXPECT_EQ(w.DragState(), 2);
    EXPECT_EQ(w.shpBox->Widget()->geometry(), QRect(200, 150, 101, 51));
    int changed = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x)
            changed += w.Plotter->Pixels().Pixel(x, y) != page.Pixel(x, y);
    EXPECT_EQ(changed, 0) << "the page is not redrawn during the drag";
    QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(Settings().PlotAxisMode, 5);
}

TEST_F(PlotInteractionTest, ADoubleClickAfterAZoomGivesBackTheRunTypeXRangeAndKeepsTheZoomedY) {
    class frmPlot& w = Shown(3);
    const plot::PlotSettings start = Settings();
    Drag(w, QPoint(150, 120), QPoint(450, 380));
    const plot::PlotSettings zoomed = Settings();
    const QPoint at(300, 300);
    QWidget* p = w.Plotter->Widget();
    QTest::mousePress(p, Qt::LeftButton, {}, at);
    QTest::mouseRelease(p, Qt::LeftButton, {}, at);
    QTest::mousePress(p, Qt::LeftButton, {}, at);
    QTest::mouseDClick(p, Qt::LeftButton, {}, at);
    QTest::mouseRelease(p, Qt::LeftButton, {}, at);
    EXPECT_EQ(Settings().PlotAxisMode, 6);
    EXPECT_EQ(w.DragState(), 0);
    EXPECT_FLOAT_EQ(Settings().PlotXMin, start.PlotXMin);
    EXPECT_FLOAT_EQ(Settings().PlotXMax, start.PlotXMax);
    EXPECT_FLOAT_EQ(Settings().PlotYMax, zoomed.PlotYMax);
    EXPECT_FLOAT_EQ(Settings().PlotYMin, zoomed.PlotYMin);
}

TEST_F(PlotInteractionTest, TheMiddleButtonReadsThePolarPlotInThreeBands) {
    class frmPlot& w = Shown(1);
    Settings().PlotYMin = -40;
    Settings().PlotYMax = 10;
    QWidget* p = w.Plotter->Widget();
    auto click = [&](QPoint at) {
        QTest::mouseMove(p, at);
        QTest::mouseClick(p, Qt::MiddleButton, {}, at);
    };
    // Between the rings: the value by the radius, the bearing clockwise from straight up.
    const QPoint at(400, 200);
    click(at);
    ASSERT_TRUE(w.lblTag->Visible());
    const double px = at.x() / 719.0 * 11, py = at.y() / 555.0 * 8.5;
    const double dx = px - 4.0, dy = py - 4.25, r = std::hypot(dx, dy);
    const auto value = static_cast<float>((r - 0.7) / 2.8 * 50 - 40);
    double bearing = std::atan2(dx, -dy) * 180 / 3.14159265358979;
    if (bearing < 0)
        bearing += 360;
    const std::string caption = w.lblTag->Caption();
    const std::size_t comma = caption.find(',');
    ASSERT_NE(comma, std::string::npos) << caption;
    EXPECT_NEAR(std::stod(caption.substr(0, comma)), value, 1e-3);
    EXPECT_NEAR(std::stod(caption.substr(comma + 1)), bearing, 1e-3);
    EXPECT_EQ(caption.back(), '\xB0'); // the degree sign of the program's 8-bit texts
    EXPECT_EQ(caption, plat::GeneralText(value) + "," + caption.substr(comma + 1));
    EXPECT_NEAR(w.lblTag->Widget()->x(), (px + 0.1) * 719 / 11, 1);
    EXPECT_NEAR(w.lblTag->Widget()->y(), (py - 0.1) * 555 / 8.5, 1);
    EXPECT_EQ(w.lblTag->Widget()->font().family(), "Small Fonts");
    EXPECT_EQ(w.lblTag->Widget()->font().pointSizeF(), 6);
    // Moving hides it; inside the inner ring nothing shows, outside the outer one it is hidden.
    QTest::mouseMove(p, QPoint(401, 200));
    EXPECT_FALSE(w.lblTag->Visible());
    click(QPoint(262, 277));
    EXPECT_FALSE(w.lblTag->Visible());
    click(at);
    ASSERT_TRUE(w.lblTag->Visible());
    QTest::mouseClick(p, Qt::MiddleButton, {}, QPoint(700, 20)); // no move first: the last position
    EXPECT_TRUE(w.lblTag->Visible());
    click(QPoint(700, 20));
    EXPECT_FALSE(w.lblTag->Visible());
    // Not for the run types above 5.
    shell::Model().PlotFlightType = 6;
    click(at);
    EXPECT_FALSE(w.lblTag->Visible());
}

TEST_F(PlotInteractionTest, TheCategoryKeysAndTheFilterKey) {
    class frmPlot& w = Shown(3);
    ASSERT_EQ(shell::Model().ILSData.ToleranceCategory, 1);
    ASSERT_EQ(w.AnnotationLevel(), 2);
    const int lines = Ink(w.Plotter->Pixels());
    // "1" at category I: off, lines only, lines and texts.
    Key(w, Qt::Key_1);
    EXPECT_EQ(w.AnnotationLevel(), 0);
    const int off = Ink(w.Plotter->Pixels());
    Key(w, Qt::Key_1);
    EXPECT_EQ(w.AnnotationLevel(), 1);
    const int linesOnly = Ink(w.Plotter->Pixels());
    Key(w, Qt::Key_1);
    EXPECT_EQ(w.AnnotationLevel(), 2);
    EXPECT_LT(off, linesOnly);
    EXPECT_LT(linesOnly, lines);
    EXPECT_EQ(Ink(w.Plotter->Pixels()), lines);
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 1);
    // Another digit is the category.
    for (const auto& [key, category] :
         {std::pair{Qt::Key_3, 3}, std::pair{Qt::Key_0, 0}, std::pair{Qt::Key_2, 2}}) {
        Key(w, key);
        EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, category);
        EXPECT_EQ(w.AnnotationLevel(), 2);
    }
    Key(w, Qt::Key_4);
    EXPECT_EQ(shell::Model().ILSData.ToleranceCategory, 2);
    // F10 switches the filter; without its echo file the redraw says so and goes on.
    const std::uint8_t filter = Settings().UseCDIFilter;
    services.Boxes().Expect(plot::kSampleRateMissing, plat::vbOK);
    Key(w, Qt::Key_F10);
    EXPECT_EQ(Settings().UseCDIFilter, filter == 0 ? 1 : 0);
    Key(w, Qt::Key_F10);
    EXPECT_EQ(Settings().UseCDIFilter, filter);
}

TEST_F(PlotInteractionTest, TestFileWritesItsLinesWithAPointUnderACommaLocaleAndDrawsThem) {
    class frmPlot& w = Shown(3);
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    w.Menu("mnuTestFile").Trigger();
    if (old)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(shell::Model().OutFile, "test.txt");
    const std::string text = Read("test.txt");
    ASSERT_EQ(text.substr(0, 9), "24304.00,");
    std::istringstream lines(text);
    std::string line;
    int n = 0;
    double previous = 24304 + 8.768;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.back(), '\r') << n;
        const std::size_t comma = line.find(',');
        ASSERT_NE(comma, std::string::npos);
        EXPECT_EQ(line.find(',', comma + 1), std::string::npos) << line;
        const double x = std::stod(line.substr(0, comma));
        EXPECT_NEAR(previous - x, 8.768, 0.02) << line;
        EXPECT_NE(line.find('.', comma), std::string::npos) << line;
        previous = x;
        ++n;
    }
    EXPECT_NEAR(n, 3000, 2);
    EXPECT_GE(previous, -2000);
    EXPECT_GT(Ink(w.Plotter->Pixels()), 1000);
}

TEST_F(PlotInteractionTest, RemoveTraceAfterAddTraceRedrawsThePrimaryAloneAndDisablesItself) {
    class frmPlot& w = Shown(3);
    const plat::PixelBuffer primary = w.Plotter->Pixels();
    const std::string second =
        Put("second.prn", PlotFileText(Sampled(1000, 20000, 100, [](double) { return 40.0; })));
    services.Files().ExpectFile(second);
    w.Menu("mnuAddTrace").Trigger();
    EXPECT_TRUE(w.Menu("mnuRemoveTrace").Enabled());
    EXPECT_GT(Ink(w.Plotter->Pixels()), Ink(primary));
    // Activation keeps the second trace.
    w.Window()->activateWindow();
    plat::DoEvents(20);
    EXPECT_GT(Ink(w.Plotter->Pixels()), Ink(primary));
    w.Menu("mnuRemoveTrace").Trigger();
    EXPECT_FALSE(w.Menu("mnuRemoveTrace").Enabled());
    EXPECT_EQ(Ink(w.Plotter->Pixels()), Ink(primary));
    // A cancelled choice draws nothing more, and still offers the removal.
    services.Files().ExpectCancel();
    w.Menu("mnuAddTrace").Trigger();
    EXPECT_EQ(Ink(w.Plotter->Pixels()), Ink(primary));
    EXPECT_TRUE(w.Menu("mnuRemoveTrace").Enabled());
}

// The depth of the picture's saved drawing states, seen by saving one more and dropping it.
int SavedStates(class frmPlot& w) {
    plat::DeviceContext& dc = w.Plotter->hDC();
    const int level = dc.SaveDC();
    dc.RestoreDC(-1);
    return level - 1;
}

// An "Add Trace" that draws nothing (cancelled, a file that is not there, no first file) leaves the
// drawing state, pen and font as it found them, however often it is chosen.
TEST_F(PlotInteractionTest, AnAddTraceThatDrawsNothingLeavesTheDrawingStateAsFound) {
    class frmPlot& w = Shown(3);
    const int states = SavedStates(w);
    const plat::HGDIOBJ pen = w.Plotter->hDC().GetCurrentObject(plat::OBJ_PEN);
    const plat::HGDIOBJ font = w.Plotter->hDC().GetCurrentObject(plat::OBJ_FONT);
    for (int i = 0; i < 3; ++i) {
        services.Files().ExpectCancel();
        w.Menu("mnuAddTrace").Trigger();
        services.Files().ExpectFile((dir_ / "never-written.prn").string());
        w.Menu("mnuAddTrace").Trigger();
    }
    shell::Model().OutFile.clear();
    w.Menu("mnuAddTrace").Trigger();
    EXPECT_EQ(SavedStates(w), states);
    EXPECT_EQ(w.Plotter->hDC().GetCurrentObject(plat::OBJ_PEN), pen);
    EXPECT_EQ(w.Plotter->hDC().GetCurrentObject(plat::OBJ_FONT), font);
}

} // namespace
