#include "shell/dialogs/OriginPictures.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "platform/draw/DeviceContext.h"
#include "platform/draw/ImageView.h"

namespace {

using plat::Colour;
using plat::DeviceContext;
using plat::POINT;

constexpr Colour kGrass = plat::RGB(0xD8, 0xE8, 0xC8);
constexpr Colour kRunway = plat::RGB(0x60, 0x60, 0x60);
constexpr Colour kMarking = plat::RGB(0xFF, 0xFF, 0xFF);
constexpr Colour kAxis = plat::RGB(0xC0, 0x10, 0x10);
constexpr Colour kText = plat::RGB(0, 0, 0);
constexpr Colour kAntenna = plat::RGB(0x10, 0x30, 0xC0);
constexpr Colour kYellow = plat::RGB(0xFF, 0xFF, 0);
constexpr Colour kCuts = plat::RGB(0x40, 0x80, 0x40);

// A point of the drawing with fractional coordinates.
struct Pt {
    double x, y;
    Pt operator+(Pt o) const { return {x + o.x, y + o.y}; }
    Pt operator-(Pt o) const { return {x - o.x, y - o.y}; }
    Pt operator*(double f) const { return {x * f, y * f}; }
};

POINT P(Pt p) {
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
}

void Pen(DeviceContext& dc, Colour colour, int width = 1, int style = plat::PS_SOLID) {
    dc.SelectObject(plat::CreatePen(style, width, colour));
}

void Brush(DeviceContext& dc, Colour colour) {
    dc.SelectObject(plat::CreateSolidBrush(colour));
}

void NoBrush(DeviceContext& dc) {
    dc.SelectObject(plat::GetStockObject(plat::NULL_BRUSH));
}

void Segment(DeviceContext& dc, Pt from, Pt to) {
    const POINT a = P(from);
    const POINT b = P(to);
    dc.MoveToEx(a.x, a.y);
    dc.LineTo(b.x, b.y);
}

void Dot(DeviceContext& dc, Pt centre, int radius) {
    const POINT c = P(centre);
    dc.Ellipse(c.x - radius, c.y - radius, c.x + radius + 1, c.y + radius + 1);
}

void Fill(DeviceContext& dc, int left, int top, int width, int height, Colour colour) {
    dc.FillRect(plat::RECT{left, top, left + width, top + height}, plat::CreateSolidBrush(colour));
}

void Font(DeviceContext& dc, int weight) {
    dc.SelectObject(
        plat::CreateFontIndirect(plat::LOGFONT{.height = -12, .weight = weight, .faceName = "Arial"}));
}

// Text with its baseline starting at `at`.
void Text(DeviceContext& dc, Pt at, const std::string& text, Colour colour) {
    const POINT p = P(at);
    dc.SetTextColor(colour);
    dc.SetTextAlign(plat::TA_LEFT | plat::TA_BASELINE);
    dc.TextOut(p.x, p.y, text);
}

// Text centred across the picture with its top at `top`.
void CentredText(DeviceContext& dc, int top, const std::string& text) {
    dc.SetTextColor(kText);
    dc.SetTextAlign(plat::TA_CENTER | plat::TA_TOP);
    dc.TextOut(kOriginPictureWidth / 2, top, text);
}

void Arrow(DeviceContext& dc, Pt from, Pt to, Colour colour, const std::string& label, Pt labelAt) {
    Pen(dc, colour, 2);
    Segment(dc, from, to);
    const Pt d = to - from;
    const double length = std::hypot(d.x, d.y);
    const Pt u = d * (1.0 / length);
    const Pt n{-u.y, u.x};
    const std::array<POINT, 3> head{{P(to), P(to - u * 10 + n * 5), P(to - u * 10 - n * 5)}};
    Brush(dc, colour);
    dc.Polygon(head);
    NoBrush(dc);
    Text(dc, labelAt, label, colour);
}

void Caption(DeviceContext& dc, const std::string& text) {
    Font(dc, plat::FW_BOLD);
    CentredText(dc, 4, text);
    Font(dc, plat::FW_NORMAL);
}

// Top view: the approach comes from the left; the runway runs to the right of its threshold.
void DrawRunwayPlan(DeviceContext& dc) {
    Fill(dc, 0, 0, kOriginPictureWidth, kOriginPictureHeight, kGrass);
    Caption(dc, "Top view: window origin and file origin");
    const double thresholdX = 190;
    const double centreY = 150;
    Fill(dc, 190, 122, 320, 56, kRunway);
    Pen(dc, kMarking, 1, plat::PS_DASH);
    Segment(dc, {thresholdX + 20, centreY}, {505, centreY});
    Pen(dc, kMarking, 4);
    Segment(dc, {thresholdX + 4, centreY - 24}, {thresholdX + 4, centreY + 24});
    // The extended centreline toward the approach.
    Pen(dc, kText, 1, plat::PS_DOT);
    Segment(dc, {20, centreY}, {thresholdX, centreY});

    // The glide-slope antenna beside the runway, set back from the threshold.
    const Pt antenna{thresholdX + 150, centreY - 70};
    Pen(dc, kAntenna, 2);
    Brush(dc, kAntenna);
    Dot(dc, antenna, 6);
    NoBrush(dc);
    Text(dc, antenna + Pt{12, 4}, "GS antenna", kAntenna);
    const Pt abeam{antenna.x, centreY};
    Pen(dc, kAntenna, 1, plat::PS_DASH);
    Segment(dc, antenna, abeam);

    // Window origin: the threshold on the centreline.
    const Pt threshold{thresholdX + 4, centreY};
    Pen(dc, kText, 2);
    Brush(dc, kYellow);
    Dot(dc, threshold, 6);
    NoBrush(dc);
    Text(dc, {thresholdX - 150, centreY + 50}, "Threshold = window origin", kText);
    Pen(dc, kText);
    Segment(dc, {thresholdX - 40, centreY + 40}, threshold + Pt{-3, 5});

    // File origin: the point on the centreline abeam the antenna, with its axes.
    Pen(dc, kAxis, 2);
    Brush(dc, kAxis);
    Dot(dc, abeam, 6);
    NoBrush(dc);
    Text(dc, {abeam.x - 40, centreY + 70}, "File origin: point abeam GS", kAxis);
    Arrow(dc, abeam, abeam + Pt{-110, 0}, kAxis, "+Y (toward approach)", abeam + Pt{-135, 44});
    Arrow(dc, abeam, abeam + Pt{0, -100}, kAxis, "+X (offset)", abeam + Pt{-76, -92});

    Text(dc, {thresholdX - 10, centreY + 102}, "Setback (threshold to antenna)", kText);
    Pen(dc, kText);
    Segment(dc, {threshold.x, centreY + 85}, {abeam.x, centreY + 85});
    Segment(dc, {threshold.x, centreY + 80}, {threshold.x, centreY + 90});
    Segment(dc, {abeam.x, centreY + 80}, {abeam.x, centreY + 90});
}

// Oblique view of a 3D ground file: lateral cuts across the centreline, in front of the file origin.
void DrawGroundCuts(DeviceContext& dc) {
    Fill(dc, 0, 0, kOriginPictureWidth, kOriginPictureHeight, plat::RGB(0xFF, 0xFF, 0xFF));
    Caption(dc, "3D ground file: lateral cuts, origin abeam the GS antenna");
    // Oblique projection: X to the right, Y into the picture (up and to the left), Z up.
    const Pt origin{330, 236};
    const auto project = [&](double x, double y, double z) {
        return origin + Pt{x * 0.9 - y * 0.5, -y * 0.5 - z};
    };
    Pen(dc, kCuts, 2);
    NoBrush(dc);
    for (int cut = 0; cut < 5; ++cut) {
        const double y = cut * 70.0;
        std::vector<POINT> nodes;
        for (int node = 0; node <= 6; ++node) {
            const double x = -150 + node * 50.0;
            const double z = 5.0 * std::sin(0.9 * cut + 0.6 * node) - cut * 1.5;
            const Pt q = project(x, y, z);
            nodes.push_back(P(q));
            Dot(dc, q, 2);
        }
        dc.Polyline(nodes);
    }
    Text(dc, project(150, 280, 0) + Pt{8, 4}, "one cut: nodes in ascending X", kText);
    Text(dc, {10, 40}, "cuts follow each other along Y", kText);
    // The runway centreline through the origin.
    Pen(dc, kText, 1, plat::PS_DASH);
    Segment(dc, project(0, -30, 0), project(0, 300, 0));
    Pen(dc, kAxis, 2);
    Brush(dc, kAxis);
    Dot(dc, origin, 5);
    NoBrush(dc);
    Arrow(dc, origin, project(190, 0, 0), kAxis, "+X", project(190, 0, 0) + Pt{-6, 18});
    Arrow(dc, origin, project(0, 330, 0), kAxis, "+Y (toward approach)", project(0, 330, 0) + Pt{-70, -8});
    Arrow(dc, origin, project(0, 0, 80), kAxis, "+Z (height)", project(0, 0, 80) + Pt{6, 0});
    CentredText(dc, kOriginPictureHeight - 22, "Origin (0, 0, 0): runway centreline abeam the GS antenna");
}

} // namespace

QImage OriginPicture(int index) {
    if (index != 1 && index != 2)
        return {};
    plat::PixelBuffer image(kOriginPictureWidth, kOriginPictureHeight, plat::PixelFormat::Bgrx32);
    DeviceContext dc(image);
    dc.SetBkMode(plat::TRANSPARENT);
    Font(dc, plat::FW_NORMAL);
    if (index == 1)
        DrawRunwayPlan(dc);
    else
        DrawGroundCuts(dc);
    return plat::ToQImage(image);
}
