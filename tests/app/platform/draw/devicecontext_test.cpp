// The device context, by pixel probes on small buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QPalette>

#include "platform/draw/DeviceContext.h"
#include "platform/draw/FontFaces.h"
#include "platform/draw/SystemColours.h"

namespace {

using namespace plat;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "devicecontext_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// A white 32-bit picture and its context.
struct Picture {
    Picture(int width, int height, PixelFormat format = PixelFormat::Bgrx32) : buffer(width, height, format) {
        App();
        buffer.Fill(kWhite);
    }
    // The pixels of `colour` in a row or a column.
    int CountInRow(int y, Colour colour) const {
        int n = 0;
        for (int x = 0; x < buffer.Width(); ++x) {
            n += buffer.Pixel(x, y) == colour;
        }
        return n;
    }
    int CountInColumn(int x, Colour colour) const {
        int n = 0;
        for (int y = 0; y < buffer.Height(); ++y) {
            n += buffer.Pixel(x, y) == colour;
        }
        return n;
    }
    // The bounding box of every pixel that is not white: left, top, right, bottom (inclusive).
    RECT Ink() const {
        RECT r{buffer.Width(), buffer.Height(), -1, -1};
        for (int y = 0; y < buffer.Height(); ++y) {
            for (int x = 0; x < buffer.Width(); ++x) {
                if (buffer.Pixel(x, y) != kWhite) {
                    r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x),
                         std::max(r.bottom, y)};
                }
            }
        }
        return r;
    }
    PixelBuffer buffer;
    DeviceContext dc{buffer};
};

void BeginPage(DeviceContext& dc) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExtEx(11000, 8500);
    dc.SetViewportExtEx(719, 555);
}

LOGPEN SelectedPen(DeviceContext& dc) {
    HGDIOBJ pen = dc.SelectObject(GetStockObject(BLACK_PEN));
    dc.SelectObject(pen);
    LOGPEN record;
    EXPECT_TRUE(GetObject(pen, record));
    return record;
}

LOGFONT SelectedFont(DeviceContext& dc) {
    HGDIOBJ font = dc.SelectObject(GetStockObject(SYSTEM_FONT));
    dc.SelectObject(font);
    LOGFONT record;
    EXPECT_TRUE(GetObject(font, record));
    return record;
}

TEST(DeviceContext, TheAnisotropicPageMapsCornersAndCentre) {
    Picture p(719, 555);
    BeginPage(p.dc);
    // 1 unit = 719/11000 pixel across and 555/8500 down; halves round up.
    struct Case {
        POINT logical, device;
    };
    const Case cases[] = {{{0, 0}, {0, 0}},           {{11000, 8500}, {719, 555}},
                          {{5500, 4250}, {360, 278}}, {{11000, 0}, {719, 0}},
                          {{1000, 1000}, {65, 65}},   {{10000, 7500}, {654, 490}},
                          {{-1000, -500}, {-65, -33}}};
    for (const Case& c : cases) {
        EXPECT_EQ(p.dc.LPtoDP(c.logical), c.device) << c.logical.x << "," << c.logical.y;
    }
    // Pixel probes: a point at the centre, one at the bottom-right of the page, a line on its top
    // edge (the platform leaves out the line's last pixel, here the 720th, outside anyway).
    EXPECT_EQ(p.dc.SetPixel(5500, 4250, kRed), kRed);
    EXPECT_EQ(p.buffer.Pixel(360, 278), kRed);
    p.dc.SetPixel(10990, 8490, kBlue);
    EXPECT_EQ(p.buffer.Pixel(718, 554), kBlue);
    EXPECT_EQ(p.dc.GetPixel(10990, 8490), kBlue);
    EXPECT_EQ(p.dc.GetPixel(11000, 8500), CLR_INVALID);
    p.dc.MoveToEx(0, 0);
    p.dc.LineTo(11000, 0);
    EXPECT_EQ(p.CountInRow(0, kBlack), 719);
    SIZE viewport;
    p.dc.GetViewportExtEx(viewport);
    EXPECT_EQ(viewport, (SIZE{719, 555}));

    // Extents mean nothing in MM_TEXT.
    Picture text(10, 10);
    EXPECT_TRUE(text.dc.SetWindowExtEx(100, 100));
    EXPECT_EQ(text.dc.LPtoDP({5, 5}), (POINT{5, 5}));

    // A negative viewport extent with the origin at the bottom turns the Y axis up.
    p.dc.SetViewportExtEx(719, -555);
    p.dc.SetViewportOrgEx(0, 555);
    EXPECT_EQ(p.dc.LPtoDP({0, 0}), (POINT{0, 555}));
    EXPECT_EQ(p.dc.LPtoDP({0, 8500}), (POINT{0, 0}));
    EXPECT_EQ(p.dc.LPtoDP({5500, 4250}), (POINT{360, 278}));
    EXPECT_EQ(p.dc.DPtoLP({0, 555}), (POINT{0, 0}));
}

TEST(DeviceContext, DashAndDotPensLeaveGapsWideOnesDrawSolid) {
    struct Case {
        int style, width, backMode;
        std::string expected; // the first 30 pixels of the line: # ink, . white, o background colour
    };
    const Case cases[] = {
        {PS_SOLID, 1, TRANSPARENT, "##############################"},
        {PS_DASH, 1, TRANSPARENT, "##################......######"},
        {PS_DOT, 1, TRANSPARENT, "###...###...###...###...###..."},
        {PS_DOT, 1, OPAQUE, "###ooo###ooo###ooo###ooo###ooo"},
        {PS_DASHDOT, 0, TRANSPARENT, "#########......###......######"},
        {PS_DASH, 2, TRANSPARENT, "##############################"},
        {PS_NULL, 1, TRANSPARENT, ".............................."},
    };
    for (const Case& c : cases) {
        Picture p(40, 6);
        p.dc.SetBkMode(c.backMode);
        p.dc.SetBkColor(kBlue);
        p.dc.SelectObject(CreatePen(c.style, c.width, kRed));
        p.dc.MoveToEx(0, 2);
        p.dc.LineTo(40, 2);
        std::string seen;
        for (int x = 0; x < 30; ++x) {
            const Colour colour = p.buffer.Pixel(x, 2);
            seen += colour == kRed ? '#' : colour == kWhite ? '.' : colour == kBlue ? 'o' : '?';
        }
        EXPECT_EQ(seen, c.expected) << "style " << c.style << " width " << c.width;
    }
    // The pattern runs on across the joints of a polyline.
    Picture p(40, 6);
    p.dc.SelectObject(CreatePen(PS_DOT, 1, kRed));
    const std::array<POINT, 3> points{{{0, 2}, {4, 2}, {12, 2}}};
    p.dc.Polyline(points);
    EXPECT_EQ(p.buffer.Pixel(4, 2), kWhite);
    EXPECT_EQ(p.buffer.Pixel(6, 2), kRed);
}

// A run of polylines in one call draws what a MoveToEx and LineTo each would: under every mapping
// and pen, with ends off the picture and far away; each polyline starts its dash pattern afresh
// and the current point stays where it was.
TEST(DeviceContext, PolyPolylineDrawsWhatMoveToAndLineToDraw) {
    struct Pen {
        int style, width, backMode;
    };
    const Pen pens[] = {{PS_SOLID, 1, TRANSPARENT}, {PS_DOT, 1, OPAQUE},   {PS_DASHDOT, 0, TRANSPARENT},
                        {PS_DASH, 1, OPAQUE},       {PS_SOLID, 3, OPAQUE}, {PS_NULL, 1, TRANSPARENT}};
    struct Mapping {
        int mode;
        SIZE window, viewport;
        POINT windowOrg, viewportOrg;
    };
    const Mapping mappings[] = {{MM_TEXT, {1, 1}, {1, 1}, {0, 0}, {0, 0}},
                                {MM_ANISOTROPIC, {11000, 8500}, {61, 47}, {0, 0}, {0, 0}},
                                {MM_ANISOTROPIC, {300, 200}, {-61, -47}, {-40, 10}, {61, 47}}};
    // Polylines of 2 to 5 points, from a fixed pseudo-random sequence, some far outside.
    std::vector<POINT> points;
    std::vector<unsigned> counts;
    unsigned seed = 12345;
    const auto next = [&seed](int range) {
        seed = seed * 1103515245U + 12345U;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(range));
    };
    for (int k = 0; k < 40; ++k) {
        counts.push_back(2 + static_cast<unsigned>(k % 4));
        for (unsigned i = 0; i < counts.back(); ++i) {
            points.push_back({next(400) - 100, next(300) - 60});
        }
    }
    points[7] = {3000000, -2500000};
    for (const Mapping& m : mappings) {
        for (const Pen& pen : pens) {
            Picture batch(61, 47);
            Picture each(61, 47);
            for (Picture* p : {&batch, &each}) {
                p->dc.SetMapMode(m.mode);
                p->dc.SetWindowExtEx(m.window.cx, m.window.cy);
                p->dc.SetViewportExtEx(m.viewport.cx, m.viewport.cy);
                p->dc.SetWindowOrgEx(m.windowOrg.x, m.windowOrg.y);
                p->dc.SetViewportOrgEx(m.viewportOrg.x, m.viewportOrg.y);
                p->dc.SetBkMode(pen.backMode);
                p->dc.SetBkColor(kBlue);
                p->dc.SelectObject(CreatePen(pen.style, pen.width, kRed));
            }
            batch.dc.MoveToEx(5, 6);
            ASSERT_TRUE(batch.dc.PolyPolyline(points, counts));
            POINT current;
            batch.dc.GetCurrentPositionEx(current);
            EXPECT_EQ(current, (POINT{5, 6}));
            std::size_t at = 0;
            for (const unsigned count : counts) {
                each.dc.MoveToEx(points[at].x, points[at].y);
                for (unsigned i = 1; i < count; ++i) {
                    each.dc.LineTo(points[at + i].x, points[at + i].y);
                }
                at += count;
            }
            EXPECT_EQ(
                std::vector<std::uint8_t>(batch.buffer.Bits(), batch.buffer.Bits() + batch.buffer.Size()),
                std::vector<std::uint8_t>(each.buffer.Bits(), each.buffer.Bits() + each.buffer.Size()))
                << "mapping " << m.mode << " " << m.viewport.cx << ", pen " << pen.style << " " << pen.width;
        }
    }

    // Two dotted runs along one row: the second starts with ink where the first stopped in a gap.
    Picture p(20, 3);
    p.dc.SelectObject(CreatePen(PS_DOT, 1, kRed));
    const std::array<POINT, 4> row{{{0, 1}, {4, 1}, {4, 1}, {8, 1}}};
    const std::array<unsigned, 2> two{2, 2};
    ASSERT_TRUE(p.dc.PolyPolyline(row, two));
    std::string seen;
    for (int x = 0; x < 10; ++x) {
        seen += p.buffer.Pixel(x, 1) == kRed ? '#' : '.';
    }
    EXPECT_EQ(seen, "###.###...");
    // A polyline of one point, or counts that need more points than given, draw nothing.
    const std::array<unsigned, 2> shortOne{2, 1};
    const std::array<unsigned, 2> tooMany{2, 3};
    Picture q(20, 3);
    q.dc.SelectObject(CreatePen(PS_SOLID, 1, kRed));
    EXPECT_FALSE(q.dc.PolyPolyline(row, shortOne));
    EXPECT_FALSE(q.dc.PolyPolyline(row, tooMany));
    EXPECT_EQ(q.CountInRow(1, kRed), 0);
}

TEST(DeviceContext, PenWidthsScaleWithTheMapping) {
    struct Case {
        int width;
        int pixels;
    };
    // 6 units are 0.39 pixel: one pixel; 150 units are 9.8 pixels.
    for (const Case c : {Case{0, 1}, Case{6, 1}, Case{150, 10}}) {
        Picture p(719, 555);
        BeginPage(p.dc);
        p.dc.SelectObject(CreatePen(PS_SOLID, c.width, kBlack));
        p.dc.MoveToEx(1000, 4250);
        p.dc.LineTo(10000, 4250);
        const int thickness = p.CountInColumn(360, kBlack);
        EXPECT_NEAR(thickness, c.pixels, c.pixels > 1 ? 1 : 0) << c.width;
    }
}

TEST(DeviceContext, ANinetyDegreeEscapementDrawsTextUpward) {
    const LOGFONT upright{.height = -20, .weight = FW_NORMAL, .faceName = "Arial"};
    LOGFONT turned = upright;
    turned.escapement = 900;
    turned.orientation = 900;
    const std::string text = "HELLO";

    Picture flat(120, 120);
    flat.dc.SelectObject(CreateFontIndirect(upright));
    flat.dc.SetBkMode(TRANSPARENT);
    SIZE flatExtent;
    ASSERT_TRUE(flat.dc.GetTextExtentPoint32(text, flatExtent));
    ASSERT_TRUE(flat.dc.TextOut(10, 60, text));
    const RECT a = flat.Ink();
    EXPECT_GT(a.right - a.left, a.bottom - a.top);
    EXPECT_GT(flatExtent.cx, flatExtent.cy);
    EXPECT_GE(a.top, 60); // top-aligned: the text hangs below its reference point

    Picture up(120, 120);
    up.dc.SelectObject(CreateFontIndirect(turned));
    up.dc.SetBkMode(TRANSPARENT);
    SIZE upExtent;
    ASSERT_TRUE(up.dc.GetTextExtentPoint32(text, upExtent));
    ASSERT_TRUE(up.dc.TextOut(60, 110, text));
    const RECT b = up.Ink();
    // The ink's box is swapped: taller than wide, above the reference point, to its right.
    EXPECT_GT(b.bottom - b.top, b.right - b.left);
    EXPECT_LE(b.bottom, 110);
    EXPECT_GE(b.left, 60);
    EXPECT_NEAR(b.bottom - b.top, a.right - a.left, 2);
    // The extent is reported unrotated, as the platform does.
    EXPECT_EQ(upExtent, flatExtent);
}

TEST(DeviceContext, TextAlignmentAndTheMappedFontHeight) {
    Picture p(200, 100);
    BeginPage(p.dc);
    // 0.15 in on the 719 x 555 page: about 10 pixels of character height.
    p.dc.SelectObject(CreateFontIndirect(LOGFONT{.height = -150, .weight = FW_NORMAL, .faceName = "Arial"}));
    SIZE extent;
    p.dc.GetTextExtentPoint32("Mm", extent);
    EXPECT_GT(extent.cy, 150);
    EXPECT_LT(extent.cy, 260);
    p.dc.SetBkMode(TRANSPARENT);
    p.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    p.dc.SetTextColor(kRed);
    p.dc.TextOut(1500, 1000, "Mm"); // device (98, 65)
    const RECT ink = p.Ink();
    EXPECT_LE(ink.right, 98);
    EXPECT_LE(ink.bottom, 65);
    EXPECT_GT(ink.bottom, 58);
    EXPECT_GT(ink.right, 80);
}

// A page of exact colours: text and lines leave no blended pixels, at any angle, so a GIF of the page
// keeps its colours; and the text log holds each TextOut as it was asked for.
TEST(DeviceContext, TextAndLinesHoldExactColoursAndTheLogRecordsEachTextOut) {
    Picture p(300, 200);
    std::vector<TextCall> log;
    p.dc.SetTextLog(&log);
    BeginPage(p.dc);
    p.dc.SetBkMode(TRANSPARENT);
    p.dc.SetTextColor(kRed);
    p.dc.SelectObject(CreateFontIndirect(LOGFONT{.height = -200, .weight = FW_BLACK, .faceName = "Arial Black"}));
    p.dc.TextOut(300, 300, "Low Approach");
    p.dc.SelectObject(
        CreateFontIndirect(LOGFONT{.height = -150, .escapement = 450, .orientation = 450, .faceName = "Arial"}));
    p.dc.TextOut(1000, 2800, "Microamps");
    const HGDIOBJ pen = CreatePen(PS_SOLID, 6, kBlue);
    p.dc.SelectObject(pen);
    // The selected pen can be read without replacing it.
    EXPECT_EQ(p.dc.GetCurrentObject(OBJ_PEN), pen);
    EXPECT_EQ(p.dc.GetCurrentObject(OBJ_PEN), pen);
    EXPECT_EQ(p.dc.GetCurrentObject(0), nullptr);
    p.dc.MoveToEx(100, 100);
    p.dc.LineTo(4000, 2900);
    int red = 0;
    for (int y = 0; y < p.buffer.Height(); ++y) {
        for (int x = 0; x < p.buffer.Width(); ++x) {
            const Colour c = p.buffer.Pixel(x, y);
            EXPECT_TRUE(c == kWhite || c == kRed || c == kBlue) << x << "," << y << " " << std::hex << c;
            red += c == kRed;
        }
    }
    EXPECT_GT(red, 50);
    const std::vector<TextCall> expected{{"Low Approach", {300, 300}, 0, kRed}, {"Microamps", {1000, 2800}, 450, kRed}};
    EXPECT_EQ(log, expected);
    p.dc.SetTextLog(nullptr);
    p.dc.TextOut(0, 0, "x");
    EXPECT_EQ(log.size(), 2U);
}

TEST(DeviceContext, SaveAndRestoreBringBackPenFontColoursAndMapping) {
    Picture p(100, 60);
    const LOGFONT font{.height = -14, .weight = FW_BOLD, .faceName = "Arial"};
    p.dc.SelectObject(CreatePen(PS_SOLID, 0, kRed));
    p.dc.SelectObject(CreateFontIndirect(font));
    p.dc.SetTextColor(kBlue);
    p.dc.SetBkColor(kRed);
    p.dc.SetBkMode(TRANSPARENT);
    p.dc.SetTextAlign(TA_CENTER);
    p.dc.MoveToEx(5, 5);
    const int level = p.dc.SaveDC();
    EXPECT_EQ(level, 1);

    BeginPage(p.dc);
    p.dc.SelectObject(CreatePen(PS_DOT, 3, kBlue));
    p.dc.SelectObject(
        CreateFontIndirect(LOGFONT{.height = -150, .escapement = 900, .faceName = "Small Fonts"}));
    p.dc.SetTextColor(kWhite);
    p.dc.SetBkColor(kBlack);
    p.dc.SetBkMode(OPAQUE);
    p.dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    p.dc.MoveToEx(700, 700);
    EXPECT_EQ(p.dc.SaveDC(), 2);
    p.dc.SetMapMode(MM_TEXT);

    EXPECT_TRUE(p.dc.RestoreDC(level)); // drops level 2 as well
    EXPECT_EQ(p.dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(p.dc.LPtoDP({50, 30}), (POINT{50, 30}));
    EXPECT_EQ(SelectedPen(p.dc), (LOGPEN{PS_SOLID, 0, kRed}));
    EXPECT_EQ(SelectedFont(p.dc), font);
    EXPECT_EQ(p.dc.GetTextColor(), kBlue);
    EXPECT_EQ(p.dc.GetBkColor(), kRed);
    EXPECT_EQ(p.dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(p.dc.GetTextAlign(), TA_CENTER);
    POINT current;
    p.dc.GetCurrentPositionEx(current);
    EXPECT_EQ(current, (POINT{5, 5}));
    // The restored pen draws.
    p.dc.LineTo(50, 5);
    EXPECT_EQ(p.buffer.Pixel(30, 5), kRed);
    EXPECT_FALSE(p.dc.RestoreDC(2));
    EXPECT_FALSE(p.dc.RestoreDC(-1));

    // A negative level counts back from the last save.
    p.dc.SaveDC();
    p.dc.SetTextColor(kBlack);
    p.dc.SaveDC();
    p.dc.SetTextColor(kWhite);
    EXPECT_TRUE(p.dc.RestoreDC(-2));
    EXPECT_EQ(p.dc.GetTextColor(), kBlue);
}

TEST(DeviceContext, SelectingAStockObjectHandsBackThePreviousOneForAChangeOfOneAttribute) {
    Picture p(40, 40);
    p.dc.SelectObject(CreatePen(PS_DOT, 6, kBlack));
    // Change the colour only, as the plot page does: width and style carry over.
    HGDIOBJ old = p.dc.SelectObject(GetStockObject(BLACK_PEN));
    LOGPEN pen;
    ASSERT_TRUE(GetObject(old, pen));
    EXPECT_EQ(pen, (LOGPEN{PS_DOT, 6, kBlack}));
    pen.colour = kRed;
    EXPECT_TRUE(DeleteObject(old));
    EXPECT_EQ(old, nullptr);
    EXPECT_FALSE(DeleteObject(old));
    HGDIOBJ previous = p.dc.SelectObject(CreatePenIndirect(pen));
    EXPECT_EQ(previous, GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectedPen(p.dc), (LOGPEN{PS_DOT, 6, kRed}));
    // A font read back keeps the fields the caller did not change; a pen is no font.
    LOGFONT font;
    EXPECT_FALSE(GetObject(GetStockObject(BLACK_PEN), font));
    EXPECT_TRUE(GetObject(GetStockObject(SYSTEM_FONT), font));
    EXPECT_EQ(p.dc.SelectObject(nullptr), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(DeviceContext, ASystemColourDrawsAsTheColourItNames) {
    Picture p(20, 20);
    const QColor face = QGuiApplication::palette().color(QPalette::Button);
    const Colour expected = RGB(face.red(), face.green(), face.blue());
    ASSERT_NE(expected, RGB(15, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), expected);
    EXPECT_EQ(ResolveColour(0x8000000F), expected);
    EXPECT_EQ(ResolveColour(0x00123456), 0x00123456u);
    p.dc.SelectObject(CreateSolidBrush(0x8000000F));
    p.dc.SelectObject(CreatePen(PS_SOLID, 0, 0x8000000F));
    p.dc.Rectangle(2, 2, 12, 12);
    EXPECT_EQ(p.buffer.Pixel(2, 2), expected); // the pen
    EXPECT_EQ(p.buffer.Pixel(6, 6), expected); // the brush
    EXPECT_EQ(p.buffer.Pixel(12, 12), kWhite); // right and bottom edges outside
    p.dc.SetPixel(15, 15, 0x8000000F);
    EXPECT_EQ(p.buffer.Pixel(15, 15), expected);
    p.dc.FillRect(RECT{16, 16, 18, 18}, CreateSolidBrush(0x80000008));
    EXPECT_EQ(p.buffer.Pixel(17, 17), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(DeviceContext, StretchBltHalvesAndDoublesExactly) {
    // A 4 x 4 source of four 2 x 2 blocks.
    Picture source(4, 4);
    const Colour blocks[2][2] = {{kRed, kBlue}, {kBlack, RGB(0, 255, 0)}};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.buffer.SetPixel(x, y, blocks[y / 2][x / 2]);
        }
    }
    Picture half(2, 2);
    half.dc.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(half.dc.StretchBlt(0, 0, 2, 2, source.dc, 0, 0, 4, 4, SRCCOPY));
    Picture twice(8, 8);
    ASSERT_TRUE(twice.dc.StretchBlt(0, 0, 8, 8, half.dc, 0, 0, 2, 2, SRCCOPY));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(twice.buffer.Pixel(x, y), blocks[y / 4][x / 4]) << x << "," << y;
        }
    }
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(half.buffer.Pixel(x, y), blocks[y][x]);
        }
    }
    // A negative width mirrors; BitBlt copies one to one at an offset.
    Picture mirrored(2, 2);
    mirrored.dc.StretchBlt(2, 0, -2, 2, half.dc, 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(mirrored.buffer.Pixel(0, 0), kBlue);
    EXPECT_EQ(mirrored.buffer.Pixel(1, 0), kRed);
    Picture shifted(5, 5);
    ASSERT_TRUE(shifted.dc.BitBlt(1, 1, 2, 2, source.dc, 2, 2, SRCCOPY));
    EXPECT_EQ(shifted.buffer.Pixel(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(shifted.buffer.Pixel(0, 0), kWhite);
    EXPECT_EQ(shifted.buffer.Pixel(3, 3), kWhite);
    EXPECT_FALSE(shifted.dc.BitBlt(0, 0, 2, 2, source.dc, 0, 0, 0x00EE0086)); // only SRCCOPY
}

TEST(DeviceContext, FloodFillStopsAtItsBorder) {
    for (const PixelFormat format : {PixelFormat::Bgrx32, PixelFormat::Indexed8}) {
        Picture p(30, 20, format);
        if (format == PixelFormat::Indexed8) {
            p.buffer.Colours()[0] = 0xFFFFFF; // white
            p.buffer.Colours()[1] = 0xFF0000; // red
            p.buffer.Colours()[2] = 0x0000FF; // blue
            p.buffer.Fill(kWhite);
        }
        // A red outline drawn with a one-pixel pen (lines work on both layouts).
        p.dc.SelectObject(CreatePen(PS_SOLID, 0, kRed));
        const std::array<POINT, 5> box{{{5, 5}, {20, 5}, {20, 15}, {5, 15}, {5, 5}}};
        p.dc.Polyline(box);
        p.dc.SelectObject(CreateSolidBrush(kBlue));
        EXPECT_TRUE(p.dc.ExtFloodFill(10, 10, kRed, FLOODFILLBORDER));
        EXPECT_EQ(p.buffer.Pixel(6, 6), kBlue);
        EXPECT_EQ(p.buffer.Pixel(19, 14), kBlue);
        EXPECT_EQ(p.buffer.Pixel(5, 10), kRed);
        EXPECT_EQ(p.buffer.Pixel(4, 10), kWhite);
        EXPECT_EQ(p.buffer.Pixel(25, 18), kWhite);
        // A start on the border fills nothing.
        EXPECT_FALSE(p.dc.FloodFill(5, 5, kRed));
        // The surface kind fills the area of one colour: here the white outside.
        p.dc.SelectObject(CreateSolidBrush(kBlack));
        EXPECT_TRUE(p.dc.ExtFloodFill(0, 0, kWhite, FLOODFILLSURFACE));
        EXPECT_EQ(p.buffer.Pixel(25, 18), kBlack) << "format " << static_cast<int>(format);
        EXPECT_EQ(p.buffer.Pixel(10, 10), kBlue);
        EXPECT_FALSE(p.dc.ExtFloodFill(10, 10, kWhite, FLOODFILLSURFACE));
    }
}

TEST(DeviceContext, AnEightBitTargetTakesPixelsAndBlitsButNoText) {
    Picture indexed(4, 2, PixelFormat::Indexed8);
    indexed.buffer.Colours()[0] = 0x000000;
    indexed.buffer.Colours()[1] = 0xFF0000; // red
    indexed.buffer.Colours()[2] = 0xFFFFFF; // white
    indexed.buffer.Fill(kWhite);
    EXPECT_EQ(indexed.dc.SetPixel(1, 1, RGB(250, 5, 5)), kRed); // the nearest entry
    EXPECT_EQ(indexed.buffer.Row(1)[1], 1);
    EXPECT_FALSE(indexed.dc.TextOut(0, 0, "x"));
    EXPECT_FALSE(indexed.dc.Rectangle(0, 0, 2, 2));
    // From 8 bits to 32 and back.
    Picture wide(4, 2);
    ASSERT_TRUE(wide.dc.BitBlt(0, 0, 4, 2, indexed.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(wide.buffer.Pixel(1, 1), kRed);
    EXPECT_EQ(wide.buffer.Pixel(0, 0), kWhite);
    wide.buffer.SetPixel(3, 0, RGB(10, 10, 10));
    ASSERT_TRUE(indexed.dc.BitBlt(0, 0, 4, 2, wide.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(indexed.buffer.Row(0)[3], 0);
    EXPECT_EQ(indexed.buffer.Row(1)[1], 1);
}

TEST(DeviceContext, FarPointsCostNoMoreThanThePicture) {
    Picture p(40, 10);
    // A line to a point two billion pixels away, and a blit stretched a hundred million times.
    p.dc.MoveToEx(0, 5);
    p.dc.LineTo(2000000000, 5);
    EXPECT_EQ(p.CountInRow(5, kBlack), 40);
    p.dc.MoveToEx(-2000000000, -2000000000);
    p.dc.LineTo(2000000000, 2000000000); // the diagonal through the picture
    EXPECT_EQ(p.buffer.Pixel(7, 7), kBlack);
    Picture source(2, 2);
    source.buffer.Fill(kRed);
    ASSERT_TRUE(
        p.dc.StretchBlt(-100000000, -100000000, 200000000, 200000000, source.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(p.CountInRow(0, kRed), 40);
    EXPECT_EQ(p.CountInRow(9, kRed), 40);
}

TEST(FontFaces, TheWindowsFacesMeetInstalledOnes) {
    App();
    struct Case {
        std::string face;
        std::string family;
        int minimumWeight;
    };
    const Case cases[] = {{"Arial", "Liberation Sans", 0},
                          {"Arial Black", "Liberation Sans", FW_BLACK},
                          {"ARIAL black", "Liberation Sans", FW_BLACK},
                          {"Times New Roman", "Liberation Serif", 0},
                          {"Courier New", "Liberation Mono", 0},
                          {"", "Liberation Sans", 0},
                          {"No Such Face", "Liberation Sans", 0},
                          {"Liberation Serif", "Liberation Serif", 0}};
    for (const Case& c : cases) {
        const FontFace face = SubstituteFace(c.face);
        EXPECT_EQ(face.family, c.family) << c.face;
        EXPECT_EQ(face.minimumWeight, c.minimumWeight) << c.face;
    }
    const std::string small = SubstituteFace("Small Fonts").family;
    EXPECT_TRUE(small == "DejaVu Sans" || small == "Liberation Sans") << small;
    // "Arial Black" draws heavier than "Arial" of the same size.
    const auto ink = [](const std::string& face) {
        Picture p(120, 40);
        p.dc.SelectObject(CreateFontIndirect(LOGFONT{.height = -24, .faceName = face}));
        p.dc.TextOut(2, 2, "IIII");
        int n = 0;
        for (int y = 0; y < 40; ++y) {
            n += p.CountInRow(y, kBlack);
        }
        return n;
    };
    EXPECT_GT(ink("Arial Black"), ink("Arial"));
}

} // namespace
