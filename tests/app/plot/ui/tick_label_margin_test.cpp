// Tic labels of large magnitude stay on the page: a Y label too wide for the room left of its tic
// is written smaller, still ending at its tic.
#include "plot/mm/modPlot_mm.h"
#include "plot/ui/PlotPage.h"

#include <gtest/gtest.h>

#include "platform/draw/DeviceContext.h"
#include "platform/draw/PixelBuffer.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

TEST(TicLabelMargin, LargeYLabelsStartOnThePage) {
    plat::testing::Application(); // the fonts
    plat::PixelBuffer buffer{719, 555, plat::PixelFormat::Bgrx32};
    plat::DeviceContext dc{buffer};
    std::vector<plat::TextCall> log;
    plot::BeginPlot(dc);
    dc.SetTextLog(&log);
    plot::PlotSettings s;
    s.PlotXMin = 0;
    s.PlotXMax = 24304;
    s.PlotXTics = 5;
    s.PlotYMin = -1.2e9F;
    s.PlotYMax = 1.2e9F;
    s.PlotYTics = 5;
    DrawAxes(dc, s, 1.0);
    int yLabels = 0;
    for (const plat::TextCall& t : log) {
        if (t.at.y == 7600)
            continue; // an X label
        ++yLabels;
        EXPECT_GE(t.at.x, 0) << t.text;
        EXPECT_LT(t.at.x, 950) << t.text;
    }
    EXPECT_EQ(yLabels, 5);
    EXPECT_EQ(log.front().text, "0.0"); // the X labels keep their place
}

} // namespace
