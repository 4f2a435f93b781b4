// The plot page layer on a device context: the page mapping, pens of one attribute changed at a
// time, anchored and rotated text, text in inches, lines in inches.
#include "plot/mm/modPlot_mm.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <algorithm>
#include <vector>

namespace {

using namespace plat;
using namespace plot;

constexpr Colour kWhite = 0xFFFFFF;

void App() {
    static int argc = 1;
    static char name[] = "mm_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

struct Page {
    Page() {
        App();
        buffer.Fill(kWhite);
        BeginPlot(dc);
    }
    RECT Ink() const {
        RECT r{buffer.Width(), buffer.Height(), -1, -1};
        for (int y = 0; y < buffer.Height(); ++y)
            for (int x = 0; x < buffer.Width(); ++x)
                if (buffer.Pixel(x, y) != kWhite)
                    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x),
                         std::max(r.bottom, y)};
        return r;
    }
    LOGPEN Pen() {
        HGDIOBJ pen = dc.SelectObject(GetStockObject(BLACK_PEN));
        dc.SelectObject(pen);
        LOGPEN record;
        GetObject(pen, record);
        return record;
    }
    PixelBuffer buffer{kPagePixelsX, kPagePixelsY, PixelFormat::Bgrx32};
    DeviceContext dc{buffer};
};

TEST(PlotPage, ElevenByEightAndAHalfInchesOntoThePictureAndPensOnePixelWide) {
    Page p;
    EXPECT_EQ(p.dc.LPtoDP({11000, 8500}), (POINT{719, 555}));
    EXPECT_EQ(p.dc.LPtoDP({1000, 7500}), (POINT{65, 490}));
    EXPECT_EQ(p.Pen(), (LOGPEN{PS_SOLID, 6, 0x000000}));
    // Every width the plot uses (1 to 6 units) draws one pixel wide.
    for (int width = 1; width <= 6; ++width) {
        p.buffer.Fill(kWhite);
        DrawLine(p.dc, 1.0F, 2.0F, 10.0F, 2.0F, 0x0000FF, PS_SOLID, width);
        const RECT ink = p.Ink();
        EXPECT_EQ(ink.top, ink.bottom) << width;
        EXPECT_EQ(ink.top, 131) << width; // 2000 x 555 / 8500 = 130.6
        EXPECT_EQ(ink.left, 65) << width;
    }
    // One attribute at a time: the others carry over.
    SetPenColor(p.dc, 0x00FF00);
    SetPenStyle(p.dc, PS_DOT);
    SetPenWidth(p.dc, 3);
    EXPECT_EQ(p.Pen(), (LOGPEN{PS_DOT, 3, 0x00FF00}));
    EndPlot(p.dc);
    EXPECT_EQ(p.dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(p.Pen(), (LOGPEN{PS_SOLID, 0, 0x000000}));
}

TEST(PlotText, AnchorFourCentresTheTextAtZeroAndNinetyDegrees) {
    for (const float angle : {0.0F, 90.0F}) {
        Page p;
        SetFontSize(p.dc, 12, "Arial Black");
        PlotText(p.dc, "Microamps", 4000, 4000, 4, angle);
        const RECT ink = p.Ink();
        // The centre of the page point (4000, 4000) is pixel (261.5, 261.2); the ink is centred on
        // it within the font's own side bearings and the gap below the baseline.
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 261.5, 3.0) << angle;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 261.2, 3.0) << angle;
        if (angle == 0)
            EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top);
        else
            EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    }
}

TEST(PlotText, AnchorsPlaceTheCornersAndTheLogKeepsThePoint) {
    Page p;
    std::vector<TextCall> log;
    p.dc.SetTextLog(&log);
    SIZE extent;
    p.dc.GetTextExtentPoint32("Zone", extent);
    PlotText(p.dc, "Zone", 5000, 3000, 0, 0);
    PlotText(p.dc, "Zone", 5000, 3000, 8, 0);
    PlotText(p.dc, "Zone", 5000, 3000, 7, 0);
    ASSERT_EQ(log.size(), 3U);
    EXPECT_EQ(log[0].at, (POINT{5000, 3000}));
    EXPECT_EQ(log[1].at, (POINT{5000 - extent.cx, 3000 - extent.cy}));
    EXPECT_EQ(log[2].at.x, 5000 - extent.cx);
    EXPECT_NEAR(log[2].at.y, 3000 - extent.cy / 2.0, 0.5);
}

TEST(PlotTextInches, LeavesThePenBlackAndTheViewportAsFound) {
    Page p;
    std::vector<TextCall> log;
    p.dc.SetTextLog(&log);
    p.dc.SetViewportExtEx(700, 500);
    SetPenColor(p.dc, 0x00FF00);
    PlotTextInches(p.dc, "Feet", 5.5F, 7.9F, 0, 90, 10, "Arial Black", 0x0000FF);
    SIZE viewport;
    p.dc.GetViewportExtEx(viewport);
    EXPECT_EQ(viewport, (SIZE{700, 500}));
    EXPECT_EQ(p.Pen().colour, 0x000000U);
    ASSERT_EQ(log.size(), 1U);
    EXPECT_EQ(log[0].at, (POINT{5500, 7900}));
    EXPECT_EQ(log[0].escapement, 900);
    // The rotated font was dropped: the next text is upright again.
    PlotText(p.dc, "x", 0, 0, 0, 0);
    EXPECT_EQ(log[1].escapement, 0);
}

TEST(DrawLine, LeavesTheViewportAtThePageAndThePenAsSet) {
    Page p;
    p.dc.SetViewportExtEx(300, 200);
    DrawLine(p.dc, 1.0F, 1.0F, 10.0F, 7.5F, 0xC0C0C0, PS_DOT, 1);
    SIZE viewport;
    p.dc.GetViewportExtEx(viewport);
    EXPECT_EQ(viewport, (SIZE{719, 555}));
    EXPECT_EQ(p.Pen(), (LOGPEN{PS_DOT, 1, 0xC0C0C0}));
    EXPECT_EQ(p.buffer.Pixel(65, 65), 0xC0C0C0U);
}

} // namespace
