// Every command of the plot window as a user reaches it: each menu-bar path clicked with the mouse,
// the access keys of "&Parameters" and "E&xit" (commands of the bar itself), and the window's keys,
// sent as the desktop sends them; each runs once, counted by what it shows.
#include "PlotFixture.h"

#include <functional>

#include <QTest>

#include "platform/ui/testing/UserInput.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmResults.h"

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

struct Command {
    std::vector<std::string> path;
    std::function<void()> arm;
    std::function<int()> effect;
};

class PlotWindowCommands : public plat::testing::ScratchFolderTest {
protected:
    PlotWindowCommands()
        : ScratchFolderTest(std::filesystem::temp_directory_path() / "pellon_plot_commands") {
        plat::testing::Application();
        Links();
    }
    void SetUp() override { SetUpModel(3, Put("approach.prn", PlotFileText(Approach()))); }
    void TearDown() override { plat::DeleteWindowInstances(); }

    // The plot window on screen (a fresh one after Exit).
    static class frmPlot& Shown() {
        class frmPlot& w = frmPlot();
        if (!w.Visible()) {
            w.Show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        }
        return w;
    }

    void ExpectEachWayRunsOnce(const Command& c) {
        const std::string name = c.path.back();
        auto once = [&](const std::string& way, const std::function<void()>& act) {
            Shown();
            c.arm();
            const int before = c.effect();
            act();
            plat::DoEvents(20);
            EXPECT_EQ(c.effect() - before, 1) << name << " by " << way;
        };
        once("the mouse", [&] { EXPECT_TRUE(plat::testing::ClickMenu(frmPlot(), c.path)) << name; });
        if (plat::testing::HasAccessKeys(c.path))
            once("its access keys", [&] { EXPECT_TRUE(plat::testing::PressAccessKeys(frmPlot(), c.path)) << name; });
    }

    plat::testing::ScriptedServices services;
};

TEST_F(PlotWindowCommands, EveryMenuCommandRunsOnceByEachWayToIt) {
    plat::testing::WindowWatch watch({"frmPlotParams", "frmResults"});
    auto redraws = [] { return frmPlot().RedrawCount(); };
    auto dialogs = [this] { return static_cast<int>(services.Files().Requests().size()); };
    auto cancel = [this] { services.Files().ExpectCancel(); };
    auto nothing = [] {};
    const Command table[] = {
        {{"&Parameters"}, nothing, [&] { return watch.Shown("frmPlotParams"); }},
        {{"Plot", "Refresh"}, nothing, redraws},
        {{"Plot", "Test File"}, nothing, redraws},
        {{"Plot", "Add Trace"}, cancel, dialogs},
        // Enabled by a second trace, and disabled again by its own click.
        {{"Plot", "Remove Trace"}, [] { frmPlot().Menu("mnuRemoveTrace").SetEnabled(true); }, redraws},
        {{"Plot", "Results"}, nothing, [&] { return watch.Shown("frmResults"); }},
        {{"Plot", "&Send to File"}, cancel, dialogs},
        {{"E&xit"}, nothing, [&] { return watch.Hidden("frmPlot"); }},
    };
    for (const Command& c : table)
        ExpectEachWayRunsOnce(c);
}

TEST_F(PlotWindowCommands, EachKeyRunsOnceSentToTheWindowOrToWhatHasTheFocus) {
    class frmPlot& w = Shown();
    struct Key {
        Qt::Key key;
        std::function<int()> effect;
    };
    auto redraws = [&w] { return w.RedrawCount(); };
    auto results = [] { return frmResultsLoaded() && frmResults().Visible() ? 1 : 0; };
    int toggles = 0;
    bool resultsShown = false;
    auto f3 = [&] {
        const bool now = results() == 1;
        toggles += now != resultsShown ? 1 : 0;
        resultsShown = now;
        return toggles;
    };
    const Key keys[] = {{Qt::Key_F3, f3}, {Qt::Key_F10, redraws}, {Qt::Key_0, redraws},
                        {Qt::Key_1, redraws}, {Qt::Key_2, redraws}, {Qt::Key_3, redraws}};
    // F10 turns the filter on, which needs the engine's FORT10 of the run; the second F10 turns it off.
    services.Boxes().Expect("Error in Sample Rate (FORT10). CDI Filter cancelled", plat::vbOK);
    for (const Key& k : keys) {
        for (int way = 0; way < 2; ++way) {
            const int before = k.effect();
            if (way == 0)
                plat::testing::PressKey(w, k.key);
            else
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.Window(), k.key);
            plat::DoEvents(20);
            EXPECT_EQ(k.effect() - before, 1) << QKeySequence(k.key).toString().toStdString() << " way " << way;
        }
    }
}

} // namespace
