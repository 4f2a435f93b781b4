// The plot window keeps the plot file's curve between redraws; a redraw after the file changed draws
// the new curve, even when the file kept its size and its time.
#include "PlotFixture.h"

#include "platform/services/Clock.h"
#include "plot/ui/frmPlot.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace plotfixture;
namespace fs = std::filesystem;

class PlotRedrawTest : public plat::testing::ScratchFolderTest {
protected:
    PlotRedrawTest() : ScratchFolderTest(fs::temp_directory_path() / "pellon_plot_redraw") {
        plat::testing::Application();
        Links();
    }
    void TearDown() override { plat::DeleteWindowInstances(); }

    // Blue trace pixels in the middle of the plot area on the rows of CDI `level` (the approach's
    // range puts -100 at the top, +100 at the bottom of the area).
    static int TraceAt(const plat::PixelBuffer& p, double level) {
        const int y = Py(1.0 + 6.5 * (level + 100) / 200);
        int n = 0;
        for (int x = Px(3.0); x < Px(8.0); ++x)
            for (int dy = -1; dy <= 1; ++dy)
                n += p.Pixel(x, y + dy) == 0xFF0000U;
        return n;
    }
    // An approach flown level at one CDI, in the engine's layout: every value is as long whatever it is.
    static std::string LevelAt(double level) {
        return PlotFileText(Sampled(500, 24000, 100, [level](double) { return level; }));
    }

    plat::testing::ScriptedServices services;
};

TEST_F(PlotRedrawTest, ARefreshAfterTheFileChangedShowsTheNewCurveWhateverItsSizeAndTime) {
    const std::string path = Put("run.prn", LevelAt(50));
    SetUpModel(3, path);
    shell::Model().PlotSettings.ShowAnalysis = 0;
    class frmPlot& w = frmPlot();
    w.Show();
    plat::DoEvents(50);
    EXPECT_GT(TraceAt(w.Plotter->Pixels(), 50), 300);
    EXPECT_EQ(TraceAt(w.Plotter->Pixels(), -50), 0);

    // Rewritten in place with as many bytes, and given the old time back.
    const fs::file_time_type time = fs::last_write_time(path);
    const auto size = fs::file_size(path);
    Put("run.prn", LevelAt(-50));
    fs::last_write_time(path, time);
    ASSERT_EQ(fs::file_size(path), size);
    w.Menu("mnuRefresh").Trigger();
    EXPECT_EQ(TraceAt(w.Plotter->Pixels(), 50), 0);
    EXPECT_GT(TraceAt(w.Plotter->Pixels(), -50), 300);

    // Unchanged, the redraw draws the same; another length is read too.
    w.Menu("mnuRefresh").Trigger();
    EXPECT_GT(TraceAt(w.Plotter->Pixels(), -50), 300);
    Put("run.prn", LevelAt(-50) + LevelAt(25));
    w.Menu("mnuRefresh").Trigger();
    EXPECT_GT(TraceAt(w.Plotter->Pixels(), 25), 300);
    EXPECT_GT(TraceAt(w.Plotter->Pixels(), -50), 300);
}

} // namespace
