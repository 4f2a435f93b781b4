#include "plot/mm/modPlot_mm.h"

#include "platform/ui/PictureBox.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace plat;

namespace plot {

namespace {

// The state index of the open page.
int savedState = 0;

const std::string kDefaultFace = "Arial";

// Rounds a page coordinate to whole units, halves to even; held to the device's range.
int Units(double v) {
    constexpr double kLimit = 1 << 27;
    if (!(v > -kLimit))
        return -static_cast<int>(kLimit);
    return static_cast<int>(std::nearbyint(std::min(v, kLimit)));
}

void SetPage(DeviceContext& dc) {
    dc.SetWindowExtEx(kPageUnitsX, kPageUnitsY);
    dc.SetViewportExtEx(kPagePixelsX, kPagePixelsY);
}

LOGPEN TakePen(DeviceContext& dc) {
    HGDIOBJ old = dc.SelectObject(GetStockObject(BLACK_PEN));
    LOGPEN pen;
    GetObject(old, pen);
    DeleteObject(old);
    return pen;
}

// Page units of a position in inches.
POINT PageUnits(float x, float y) {
    return {Units(static_cast<double>(x) * 1000.0), Units(static_cast<double>(y) * 1000.0)};
}

// The pen set as DrawLine sets it. A trace draws thousands of segments with one pen: it is replaced
// only when it differs.
void UsePen(DeviceContext& dc, Colour colour, int style, int width) {
    LOGPEN pen;
    if (!GetObject(dc.GetCurrentObject(OBJ_PEN), pen) || pen != LOGPEN{style, width, colour}) {
        SetPenColor(dc, colour);
        SetPenWidth(dc, width);
        SetPenStyle(dc, style);
    }
}

LOGFONT TakeFont(DeviceContext& dc) {
    HGDIOBJ old = dc.SelectObject(GetStockObject(SYSTEM_FONT));
    LOGFONT font;
    GetObject(old, font);
    DeleteObject(old);
    return font;
}

} // namespace

void BeginPlot(DeviceContext& dc) {
    savedState = dc.SaveDC();
    dc.SetMapMode(MM_ANISOTROPIC);
    SetPage(dc);
    dc.SelectObject(
        CreateFontIndirect(LOGFONT{.height = -150, .weight = FW_NORMAL, .faceName = kDefaultFace}));
    dc.SelectObject(CreatePen(PS_SOLID, 6, 0x000000));
    dc.SetBkMode(TRANSPARENT);
}

void BeginPlotOnPicture(PictureBox& box, const std::string& /*name*/) {
    BeginPlot(box.hDC());
}

void EndPlot(DeviceContext& dc) {
    HGDIOBJ pen = dc.SelectObject(GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    HGDIOBJ font = dc.SelectObject(GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    dc.RestoreDC(savedState);
}

void SetPenColor(DeviceContext& dc, Colour colour) {
    LOGPEN pen = TakePen(dc);
    pen.colour = colour;
    dc.SelectObject(CreatePenIndirect(pen));
}

void SetPenWidth(DeviceContext& dc, int width) {
    LOGPEN pen = TakePen(dc);
    pen.width = width;
    dc.SelectObject(CreatePenIndirect(pen));
}

void SetPenStyle(DeviceContext& dc, int style) {
    LOGPEN pen = TakePen(dc);
    pen.style = style;
    dc.SelectObject(CreatePenIndirect(pen));
}

void SetFontSize(DeviceContext& dc, int size, const std::string& faceName) {
    LOGFONT font = TakeFont(dc);
    font.height = -20 * size;
    font.weight = FW_NORMAL;
    if (!faceName.empty())
        font.faceName = faceName;
    dc.SelectObject(CreateFontIndirect(font));
}

void PlotText(DeviceContext& dc, const std::string& text, float x, float y, int anchor, float angle) {
    HGDIOBJ previous;
    if (angle != 0) {
        previous = dc.SelectObject(GetStockObject(SYSTEM_FONT));
        LOGFONT font;
        GetObject(previous, font);
        font.escapement = Units(static_cast<double>(angle) * 10.0);
        font.orientation = font.escapement;
        dc.SelectObject(CreateFontIndirect(font));
    }
    const int x0 = Units(x);
    const int y0 = Units(y);
    SIZE extent;
    dc.GetTextExtentPoint32(text, extent);
    const double dx = -(anchor / 3) * extent.cx / 2.0;
    const double dy = -(anchor % 3) * extent.cy / 2.0;
    int tx = Units(x0 + dx);
    int ty = Units(y0 + dy);
    if (angle != 0) {
        const double a = static_cast<double>(angle) * 3.141592653 / 180.0;
        tx = Units(x0 + dx * std::cos(a) + dy * std::sin(a));
        ty = Units(y0 - dx * std::sin(a) + dy * std::cos(a));
    }
    dc.TextOut(tx, ty, text);
    if (angle != 0) {
        HGDIOBJ rotated = dc.SelectObject(previous);
        DeleteObject(rotated);
    }
}

void PlotTextInches(DeviceContext& dc, const std::string& text, float x, float y, int anchor, float angle,
                    int size, const std::string& faceName, Colour colour) {
    dc.SetWindowExtEx(kPageUnitsX, kPageUnitsY);
    SIZE viewport;
    dc.GetViewportExtEx(viewport);
    dc.SetViewportExtEx(kPagePixelsX, kPagePixelsY);
    SetPenColor(dc, colour);
    SetFontSize(dc, size, faceName);
    PlotText(dc, text, x * 1000.0F, y * 1000.0F, anchor, angle);
    dc.SetWindowExtEx(kPageUnitsX, kPageUnitsY);
    dc.SetViewportExtEx(viewport.cx, viewport.cy);
    SetPenColor(dc, 0x000000);
}

void DrawLine(DeviceContext& dc, float x1, float y1, float x2, float y2, Colour colour, int style,
              int width) {
    UsePen(dc, colour, style, width);
    SetPage(dc);
    const POINT from = PageUnits(x1, y1);
    const POINT to = PageUnits(x2, y2);
    dc.MoveToEx(from.x, from.y);
    dc.LineTo(to.x, to.y);
}

void DrawLines(DeviceContext& dc, std::span<const PageSegment> segments, Colour colour, int style,
               int width) {
    if (segments.empty())
        return;
    UsePen(dc, colour, style, width);
    SetPage(dc);
    std::vector<POINT> points;
    points.reserve(2 * segments.size());
    for (const PageSegment& s : segments) {
        points.push_back(PageUnits(s.x1, s.y1));
        points.push_back(PageUnits(s.x2, s.y2));
    }
    const std::vector<unsigned> counts(segments.size(), 2);
    dc.PolyPolyline(points, counts);
}

} // namespace plot
