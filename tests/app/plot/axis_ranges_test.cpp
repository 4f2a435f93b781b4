// The axis ranges by run type, auto-zoom and manual, and the scales.

#include "plot/logic/AxisRanges.h"

#include <gtest/gtest.h>

using namespace plot;

namespace {

PlotTrace Ends(float xlo, float xhi, float ylo, float yhi) {
    PlotTrace t;
    t.Xlo = xlo;
    t.Xhi = xhi;
    t.Ylo = ylo;
    t.Yhi = yhi;
    return t;
}

} // namespace

TEST(AxisRanges, ByRunType) {
    struct Case {
        std::uint8_t type, yVar;
        float yhiData; // V/m for magnitudes
        float yMax, yMin, yTics;
        std::int16_t yDir;
        float xMax, xMin, xTics;
        std::int16_t xDir;
    };
    const Case cases[] = {
        {3, 1, 40, -100, 100, 11, -1, 24304, 0, 5, 1}, // an approach's CDI
        {3, 11, 40, -100, 100, 11, -1, 24304, 0, 5, 1},
        {1, 2, 40, -500, 500, 11, -1, 90, 10, 11, -1}, // X from the data
        {2, 1, 40, -500, 500, 11, -1, 0, 24304, 5, 1},
        {4, 1, 40, -250, 250, 11, -1, 1.8F, 4.0F, 11, -1},
        {7, 1, 40, -250, 250, 11, -1, 40, -40, 17, 1},
        {4, 3, 0.00042F, 0.5F, 0, 11, 1, 1.8F, 4.0F, 11, -1}, // 0.42 mV/m
        {1, 5, 0.0124F, 13, 0, 10, 1, 90, 10, 11, -1},        // 12.4 mV/m
        {7, 9, 0.0124F, 13, 0, 11, -1, 40, -40, 17, 1},
        {2, 6, 40, 180, -180, 9, 1, 0, 24304, 5, 1},
    };
    for (const Case& c : cases) {
        PlotSettings s;
        SetAxisRanges(s, c.type, c.yVar, Ends(10, 90, c.yhiData / 2, c.yhiData));
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " quantity " << int(c.yVar));
        EXPECT_FLOAT_EQ(s.PlotYMax, c.yMax);
        EXPECT_EQ(s.PlotYMin, c.yMin);
        EXPECT_EQ(s.PlotYTics, c.yTics);
        EXPECT_EQ(s.PlotYDir, c.yDir);
        EXPECT_FLOAT_EQ(s.PlotXMax, c.xMax);
        EXPECT_EQ(s.PlotXMin, c.xMin);
        EXPECT_EQ(s.PlotXTics, c.xTics);
        EXPECT_EQ(s.PlotXDir, c.xDir);
    }
}

TEST(AxisRanges, OtherRunTypesAndManualKeepTheStoredRange) {
    PlotSettings stored;
    stored.PlotXMax = 7;
    stored.PlotYMax = 8;
    stored.PlotXTics = stored.PlotYTics = 3;
    for (const std::uint8_t type : {0, 5, 6}) {
        PlotSettings s = stored;
        SetAxisRanges(s, type, 1, Ends(1, 2, 3, 4));
        EXPECT_EQ(s, stored) << int(type);
    }
    PlotSettings manual = stored;
    manual.PlotAxisMode = 1 | 4;
    SetAxisRanges(manual, 3, 1, Ends(1, 2, 3, 4));
    EXPECT_EQ(manual.PlotXMax, 7);
    EXPECT_EQ(manual.PlotYMax, 8);
}

TEST(AxisRanges, AutoZoomFitsTheData) {
    PlotSettings s;
    s.PlotAxisMode = 3 | 12;
    SetAxisRanges(s, 3, 3, Ends(24000, 500, 0.002F, 0.009F));
    EXPECT_EQ(s.PlotXMax, 500);
    EXPECT_EQ(s.PlotXMin, 24000);
    EXPECT_EQ(s.PlotXDir, -1);
    EXPECT_EQ(s.PlotXTics, 5);
    EXPECT_FLOAT_EQ(s.PlotYMax, 9); // mV/m, as the data are shown
    EXPECT_FLOAT_EQ(s.PlotYMin, 2);
    EXPECT_EQ(s.PlotYDir, 1);
}

TEST(AxisRanges, EqualYValuesAreWidened) {
    PlotSettings s;
    s.PlotAxisMode = 3 | 12;
    SetAxisRanges(s, 2, 1, Ends(0, 1, 20, 20));
    EXPECT_EQ(s.PlotYMax, 30);
    EXPECT_EQ(s.PlotYMin, 10);
}

TEST(AxisRanges, ZeroSpanKeepsTheScale) {
    PlotSettings s;
    s.PlotAxisMode = 3 | 12;
    PlotScales scales{0.5F, 0.25F};
    SetAxisRanges(s, 2, 1, Ends(0, 900, 0, 0)); // all Y zero: the widened span is still zero
    UpdateScales(s, scales);
    EXPECT_FLOAT_EQ(scales.X, 0.01F);
    EXPECT_EQ(scales.Y, 0.25F);
}

TEST(AxisRanges, DirectionsAndMagnitudeUnits) {
    PlotSettings s;
    s.PlotXMax = -40;
    s.PlotXMin = 40;
    s.PlotYMax = 5;
    s.PlotYMin = 5;
    SetDirections(s);
    EXPECT_EQ(s.PlotXDir, -1);
    EXPECT_EQ(s.PlotYDir, -1);
    PlotTrace t = Ends(0, 1, 0.001F, 0.002F);
    t.Y = {0.001F, 0.002F};
    ScaleMagnitudes(t, 1);
    EXPECT_EQ(t.Y[1], 0.002F);
    ScaleMagnitudes(t, 10);
    EXPECT_FLOAT_EQ(t.Y[1], 2.0F);
    EXPECT_EQ(t.Yhi, 0.002F);
}
