// The main window's plot commands over the real engine: F6 runs and plots, F7 plots an existing
// plot file of one byte or more (nothing otherwise, silently), a second F7 redraws the open window.
#include "RunWindowFixture.h"

#include "plot/ui/frmPlot.h"
#include "plot/ui/frmResults.h"

using namespace shell;

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";

void Press(class frmMain& w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w.txtThZ->Editor(), &press);
}

// The pixels of a colour on the plot page.
int Count(const plat::PixelBuffer& page, plat::Colour colour) {
    int n = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x)
            n += page.Pixel(x, y) == colour;
    return n;
}

constexpr plat::Colour kBlue = 0xFF0000;

} // namespace

using PlotCommands = RunWindow;

TEST_F(PlotCommands, F7OpensThePlotOnlyForAPlotFileOfOneByteOrMore) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    EXPECT_TRUE(w.Menu("mnuPlot").Enabled());
    EXPECT_TRUE(w.Toolbar1->Buttons(8).Enabled());
    const struct {
        const char* what;
        std::string file;
    } nothing[] = {{"empty name", ""},
                   {"missing file", (dir_ / "none.prn").string()},
                   {"0 bytes", Put("empty.prn", "")}};
    for (const auto& c : nothing) {
        Model().OutFile = c.file;
        Press(w, Qt::Key_F7);
        plat::DoEvents(10);
        EXPECT_FALSE(frmPlotLoaded()) << c.what;
    }
    Model().OutFile = Put("line.prn", " 1.00000E+03 1.00000E+01\r\n 2.00000E+04 2.00000E+01\r\n");
    Press(w, Qt::Key_F7);
    ASSERT_TRUE(frmPlotLoaded());
    EXPECT_TRUE(frmPlot().Visible());
    EXPECT_EQ(frmPlot().Caption(), "Plot");
    EXPECT_EQ(Model().PlotFlightType, 3); // the sample's approach
    EXPECT_TRUE(engine_->starts.empty());
}

TEST_F(PlotCommands, F6OnTheShippedExampleRunsAndPlotsAndASecondF7Redraws) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    Model().YAxisVar = 1;
    boxes_->Expect(kOverwrite, plat::vbYes);
    Press(w, Qt::Key_F6);
    ASSERT_EQ(engine_->starts.size(), 1u);
    ASSERT_TRUE(frmPlotLoaded());
    ASSERT_TRUE(WaitUntil([] { return Count(frmPlot().Plotter->Pixels(), kBlue) > 200; }));
    // The approach's analysis filled the results window.
    EXPECT_FALSE(frmResults().lblBFSL->Caption().empty());
    EXPECT_EQ(frmResults().lblZone2->Caption().substr(frmResults().lblZone2->Caption().size() - 2), "nm");

    // A second F7 with another plot file redraws the open window at once.
    const plat::PixelBuffer before = frmPlot().Plotter->Pixels();
    Model().OutFile = Put("short.prn", " 2.00000E+04 1.00000E+01\r\n 1.60000E+04 8.00000E+01\r\n");
    Press(w, Qt::Key_F7);
    const plat::PixelBuffer& after = frmPlot().Plotter->Pixels();
    int changed = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            changed += after.Pixel(x, y) != before.Pixel(x, y);
    EXPECT_GT(changed, 200);
    EXPECT_GT(Count(after, kBlue), 0);
}

TEST_F(PlotCommands, RunAndPlotFromTheMenuPlotsTheRun) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    Model().YAxisVar = 1;
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunAndPlot").Trigger();
    ASSERT_TRUE(frmPlotLoaded());
    EXPECT_TRUE(frmPlot().Visible());
}
