// Shows the digitiser on a real (virtual) display with a chart drawn by the test, its corners,
// guide lines and digitised marks, and keeps a picture of it in the test output folder.
#include "DigitiserFixture.h"

#include <QPixmap>

#include "platform/services/Clock.h"

using DigitiserScreenshot = DigitiserTest;

TEST_F(DigitiserScreenshot, ChartCornersLinesAndMarks) {
    auto& w = Opened();
    plat::DoEvents(100);
    ASSERT_TRUE(w.LoadImageFile(Chart(800, 600)));
    w.RedrawPlot();
    // The chart's frame corners in user units (the picture is drawn from the top-left, fitted).
    const double zoom = std::min(w.Plotter->Pixels().Width() / 800.0, w.Plotter->Pixels().Height() / 600.0);
    const auto user = [&w, zoom](double px, double py) {
        return std::pair{w.Plotter->Surface().FromPixelX(px * zoom),
                         w.Plotter->Surface().FromPixelY(py * zoom)};
    };
    w.cmdDigitize->Click();
    w.cmdUpdate->Click();
    for (auto [px, py] :
         {std::pair{92., 488.}, {140., 112.}, {730., 508.}, {568., 140.}}) { // a little off the frame
        const auto [x, y] = user(px, py);
        Click(w, x, y);
    }
    ASSERT_EQ(w.Session().DigState(), 5);
    for (auto [px, py] : {std::pair{300., 300.}, {400., 250.}, {500., 400.}, {250., 420.}}) {
        const auto [x, y] = user(px, py);
        Click(w, x, y);
    }
    plat::DoEvents(200);
    const QPixmap shot = w.Window()->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / "digitiser_window.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG"));
    EXPECT_FALSE(w.grdDigGround->TextMatrix(4, 0).empty());
}
