// The plot page without a device: the clippers, the tic counts and labels, the captions.
#include "plot/page/PageTexts.h"
#include "plot/page/PlotClip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace plot;

struct Segment {
    float x1, y1, x2, y2;
};

struct ClipCase {
    const char* what;
    Segment in;
    Segment out;
};

// The rectangle 0..10 x 0..10.
TEST(ClipSegment, OnePassAgainstTheRectangle) {
    const ClipCase cases[] = {
        {"inside", {1, 1, 9, 9}, {1, 1, 9, 9}},
        {"on the edges counts as inside", {0, 0, 10, 10}, {0, 0, 10, 10}},
        {"both left of xmin: unchanged", {-5, 1, -2, 8}, {-5, 1, -2, 8}},
        {"both below ymin: unchanged", {-5, -1, 20, -3}, {-5, -1, 20, -3}},
        {"first end left", {-10, 5, 10, 5}, {0, 5, 10, 5}},
        {"second end right", {5, 2, 15, 7}, {5, 2, 10, 4.5F}},
        {"second end above ymax", {5, 5, 5, 20}, {5, 5, 5, 10}},
        // Beyond a corner: once in x (to y = 13) and once in y, no more.
        {"inside to beyond a corner", {5, 5, 15, 21}, {5, 5, 8.125F, 10}},
        {"both ends clipped", {-5, -5, 20, 5}, {7.5F, 0, 10, 1}},
        // Past the corner: the first end, clipped in x and then in y, lies outside in x again, and
        // a single pass does not go round.
        {"one pass only", {-5, 5, 5, 20}, {-5.0F / 3, 10, -5.0F / 3, 10}},
        {"vertical through", {5, -5, 5, 15}, {5, 0, 5, 10}},
    };
    for (const ClipCase& c : cases) {
        Segment s = c.in;
        ClipSegment(s.x1, s.y1, s.x2, s.y2, 0, 10, 0, 10);
        EXPECT_FLOAT_EQ(s.x1, c.out.x1) << c.what;
        EXPECT_FLOAT_EQ(s.y1, c.out.y1) << c.what;
        EXPECT_FLOAT_EQ(s.x2, c.out.x2) << c.what;
        EXPECT_FLOAT_EQ(s.y2, c.out.y2) << c.what;
    }
}

// An approach's axes: 0..24304 ft left to right, -100 uA at the top, +100 at the bottom.
PlotSettings ApproachAxes() {
    PlotSettings s;
    s.PlotXMax = 24304;
    s.PlotXMin = 0;
    s.PlotXDir = 1;
    s.PlotYMax = -100;
    s.PlotYMin = 100;
    s.PlotYDir = -1;
    return s;
}

TEST(ClipToPlotArea, ConvertsToInchesByTheDirectionsAndClips) {
    const PlotSettings s = ApproachAxes();
    const float xs = 9.0F / 24304.0F;
    const float ys = 6.5F / -200.0F;
    const ClipCase cases[] = {
        {"ends of the axes", {0, 100, 24304, -100}, {1.0F, 7.5F, 10.0F, 1.0F}},
        {"zero CDI mid-way", {12152, 0, 12152, 0}, {5.5F, 4.25F, 5.5F, 4.25F}},
        {"beyond the right end", {12152, 0, 48608, 0}, {5.5F, 4.25F, 10.0F, 4.25F}},
        // Wholly above the area (CDI below -100): x2 marked, the rest already in inches.
        {"wholly above", {0, -150, 24304, -200}, {1.0F, -0.625F, kClippedAway, -2.25F}},
    };
    for (const ClipCase& c : cases) {
        Segment g = c.in;
        ClipToPlotArea(g.x1, g.y1, g.x2, g.y2, s, xs, ys);
        EXPECT_NEAR(g.x1, c.out.x1, 1e-4) << c.what;
        EXPECT_NEAR(g.y1, c.out.y1, 1e-4) << c.what;
        EXPECT_NEAR(g.x2, c.out.x2, 1e-4) << c.what;
        EXPECT_NEAR(g.y2, c.out.y2, 1e-4) << c.what;
    }
    // The other direction of X measures from the right end and lands on the same inches.
    PlotSettings flipped = s;
    flipped.PlotXDir = -1;
    Segment g{0, 0, 24304, 0};
    ClipToPlotArea(g.x1, g.y1, g.x2, g.y2, flipped, xs, ys);
    EXPECT_NEAR(g.x1, 1.0F, 1e-4);
    EXPECT_NEAR(g.x2, 10.0F, 1e-4);
}

TEST(TicIntervals, HeldToOneTo255RoundedHalfToEven) {
    const std::pair<float, int> cases[] = {{5, 4},
                                           {11, 10},
                                           {2, 1},
                                           {1, 1},
                                           {0, 1},
                                           {-7, 1},
                                           {256, 255},
                                           {257, 255},
                                           {1e9F, 255},
                                           {3.5F, 2},
                                           {4.5F, 4},
                                           {2.4F, 1},
                                           {std::numeric_limits<float>::quiet_NaN(), 1}};
    for (const auto& [tics, n] : cases)
        EXPECT_EQ(TicIntervals(tics), n) << tics;
}

TEST(LayoutAxes, TicPositionsLabelsAndShifts) {
    PlotSettings s = ApproachAxes();
    s.PlotXTics = 5;
    s.PlotYTics = 11;
    const AxesLayout a = LayoutAxes(s, 1.0);
    ASSERT_EQ(a.xLines.size(), 5U);
    ASSERT_EQ(a.yLines.size(), 11U);
    EXPECT_FLOAT_EQ(a.xLines[2].at, 5.5F);
    EXPECT_EQ(a.xLabels[0].text, "0.0");
    EXPECT_FLOAT_EQ(a.xLabels[0].x, 0.9F); // 3 characters: 0.1 in to the left
    EXPECT_EQ(a.xLabels[4].text, "24,304.0");
    EXPECT_FLOAT_EQ(a.xLabels[4].x, 10.0F - 0.17F);
    EXPECT_FLOAT_EQ(a.xLabels[4].y, 7.6F);
    EXPECT_EQ(a.yLabels[0].text, "100.0");
    EXPECT_FLOAT_EQ(a.yLines[0].at, 7.5F);
    EXPECT_FLOAT_EQ(a.yLabels[0].y, 7.51F);
    EXPECT_EQ(a.yLabels[5].text, "0.0");
    EXPECT_TRUE(a.yLines[5].zero);
    EXPECT_EQ(std::count_if(a.yLines.begin(), a.yLines.end(), [](const GridLine& g) { return g.zero; }), 1);
    EXPECT_EQ(a.yLabels[10].text, "-100.0");
    // Labels in metres and kilometres; the nautical miles as before.
    EXPECT_EQ(LayoutAxes(s, XLabelFactor(0, true)).xLabels[4].text, "7,408.0");
    EXPECT_EQ(LayoutAxes(s, XLabelFactor(1, true)).xLabels[4].text, "7.41");
    EXPECT_EQ(LayoutAxes(s, XLabelFactor(1, false)).xLabels[4].text, "4.0");
    // A two-character label stays where its tic is.
    s.PlotXMin = 0;
    s.PlotXMax = 40;
    s.PlotXTics = 5;
    EXPECT_EQ(LayoutAxes(s, 1.0).xLabels[1].text, "10.0");
}

TEST(PageTexts, TitlesAndCaptions) {
    PlotSettings s;
    const std::pair<int, const char*> titles[] = {{0, "Generic Plot"},
                                                  {1, "Constant Radius Cut"},
                                                  {2, "Linear Cut"},
                                                  {3, "Low Approach"},
                                                  {4, "Constant Altitude Approach"},
                                                  {5, "Constant Altitude Approach"},
                                                  {6, "Low Approach"},
                                                  {7, "Partial Orbit"},
                                                  {8, "Generic Plot"},
                                                  {255, "Generic Plot"}};
    for (const auto& [type, title] : titles)
        EXPECT_EQ(PlotTitle(s, static_cast<std::uint8_t>(type)), title) << type;
    s.PlotLabel = "Runway 27";
    EXPECT_EQ(PlotTitle(s, 3), "Runway 27");

    EXPECT_EQ(QuantityCaption(1, "1 - Course Deviation Indication (CDI)"),
              "Course Deviation Indication (CDI)");
    EXPECT_EQ(QuantityCaption(10, "10 - Composite magn. of SBO radiated fields"),
              "Composite magn. of SBO radiated fields");
    EXPECT_EQ(QuantityCaption(11, "11 - Absolute value of CDI"), "Absolute value of CDI");
    EXPECT_EQ(QuantityCaption(0, "x - anything"), "");
    EXPECT_EQ(QuantityCaption(12, "12 - anything"), "");
    EXPECT_EQ(QuantityCaption(3, ""), "");

    EXPECT_EQ(XUnitCaption(0, false), "Feet");
    EXPECT_EQ(XUnitCaption(0, true), "Meters");
    EXPECT_EQ(XUnitCaption(1, false), "Nautical Miles");
    EXPECT_EQ(XUnitCaption(1, true), "Kilometers");
    EXPECT_EQ(XUnitCaption(2, true), "Degrees");
    const std::pair<int, const char*> units[] = {{1, "Microamps"}, {2, "Microamps"}, {11, "Microamps"},
                                                 {4, "Degrees"},   {8, "Degrees"},   {3, "mV/m"},
                                                 {10, "mV/m"},     {0, ""},          {12, ""}};
    for (const auto& [var, unit] : units)
        EXPECT_EQ(YUnitCaption(static_cast<std::uint8_t>(var)), unit) << var;

    EXPECT_EQ(GetFileName("C:\\runs\\site.prn"), "site.prn");
    EXPECT_EQ(GetFileName("/tmp/runs/site.prn"), "site.prn");
    EXPECT_EQ(GetFileName("site.prn"), "");
}

} // namespace
