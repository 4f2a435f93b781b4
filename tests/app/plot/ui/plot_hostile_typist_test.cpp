// The hostile typist on the plot parameters dialog, in feet and in nautical miles, both axes scaled by
// hand: every text of the table in every box, then "Exit". Whatever the dialog then stored, the typist
// goes on to the plot window, whose every command redraws the run's plot with those settings.
#include "PlotFixture.h"

#include "platform/ui/testing/HostileTypist.h"
#include "plot/ui/frmPlot.h"
#include "plot/ui/frmPlotParams.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace plotfixture;

struct Unit {
    const char* name;
    std::uint8_t plotXUnit;
};

class PlotHostileTypist : public plat::testing::ScratchFolderTest,
                          public ::testing::WithParamInterface<std::tuple<std::string, Unit>> {
protected:
    PlotHostileTypist() : ScratchFolderTest(std::filesystem::path(TEST_OUTPUT_DIR) / "plot_hostile_typist") {
        plat::testing::Application();
        Links();
    }
    void SetUp() override {
        SetUpModel(3, Put("approach.prn", PlotFileText(Approach())));
        plot::PlotSettings& s = shell::Model().PlotSettings;
        s.PlotAxisMode = 5; // both axes scaled by hand: every box takes text
        s.PlotXUnit = std::get<1>(GetParam()).plotXUnit;
        s.PlotXMin = 0;
        s.PlotXMax = 30380;
        s.PlotXTics = 6;
        s.PlotYMin = -150;
        s.PlotYMax = 150;
        s.PlotYTics = 6;
    }
    void TearDown() override { plat::DeleteWindowInstances(); }

    plat::testing::ScriptedServices services_;
};

TEST_P(PlotHostileTypist, NoTextEndsOrFreezesTheDialogOrThePlotItLeaves) {
    const std::string& text = std::get<0>(GetParam());
    plat::testing::HostileTypist dialog(services_.Boxes(), services_.Files(), [] {
        class frmPlotParams& d = frmPlotParams();
        d.Show();
        plat::DoEvents(20);
        return d.Window();
    });
    EXPECT_EQ(dialog.Run(text), std::vector<std::string>{});
    plat::DeleteWindowInstances();

    plat::testing::HostileTypist plot(services_.Boxes(), services_.Files(), [] {
        class frmPlot& w = frmPlot();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.Window()));
        return w.Window();
    });
    EXPECT_EQ(plot.Run(text), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Texts, PlotHostileTypist,
                         ::testing::Combine(::testing::ValuesIn(plat::testing::HostileTexts()),
                                            ::testing::Values(Unit{"Feet", 0}, Unit{"nmi", 1})),
                         [](const auto& info) {
                             return std::string(std::get<1>(info.param).name) + "Text" +
                                    std::to_string(info.index / 2);
                         });

} // namespace
