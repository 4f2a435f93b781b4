#include "shell/mainwindow/ToolbarIcons.h"

#include <array>
#include <cmath>
#include <vector>

#include "platform/draw/DeviceContext.h"
#include "platform/draw/ImageView.h"

using namespace shell;

namespace {

using plat::Colour;
using plat::DeviceContext;
using plat::POINT;

constexpr Colour kInk = plat::RGB(0x20, 0x20, 0x20);
constexpr Colour kPaper = plat::RGB(0xFF, 0xFF, 0xF0);
constexpr Colour kFolder = plat::RGB(0xE8, 0xC0, 0x50);
constexpr Colour kFolderBack = plat::RGB(0xC9, 0xA7, 0x45);
constexpr Colour kGreen = plat::RGB(0x20, 0x90, 0x30);
constexpr Colour kPaleGreen = plat::RGB(0x90, 0xC8, 0x98);
constexpr Colour kBlue = plat::RGB(0x20, 0x50, 0xC0);
constexpr Colour kRed = plat::RGB(0xC0, 0x20, 0x20);
constexpr Colour kGround = plat::RGB(0x80, 0x60, 0x30);
constexpr Colour kGrey = plat::RGB(0xC0, 0xC0, 0xC0);
constexpr Colour kWhite = plat::RGB(0xFF, 0xFF, 0xFF);

void Pen(DeviceContext& dc, Colour colour, int width = 1) {
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, width, colour));
}

void Brush(DeviceContext& dc, Colour colour) {
    dc.SelectObject(plat::CreateSolidBrush(colour));
}

void Segment(DeviceContext& dc, int x1, int y1, int x2, int y2) {
    dc.MoveToEx(x1, y1);
    dc.LineTo(x2, y2);
}

// A cubic curve from p0 to p3 pulled towards p1 and p2, as a polyline of 16 pieces.
void Curve(DeviceContext& dc, POINT p0, POINT p1, POINT p2, POINT p3) {
    constexpr int kPieces = 16;
    std::vector<POINT> points;
    for (int i = 0; i <= kPieces; ++i) {
        const double t = static_cast<double>(i) / kPieces;
        const double a = (1 - t) * (1 - t) * (1 - t);
        const double b = 3 * (1 - t) * (1 - t) * t;
        const double c = 3 * (1 - t) * t * t;
        const double d = t * t * t;
        points.push_back({static_cast<int>(std::lround(a * p0.x + b * p1.x + c * p2.x + d * p3.x)),
                          static_cast<int>(std::lround(a * p0.y + b * p1.y + c * p2.y + d * p3.y))});
    }
    dc.Polyline(points);
}

void Sheet(DeviceContext& dc) {
    const std::array<POINT, 5> page{{{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}};
    Pen(dc, kInk);
    Brush(dc, kPaper);
    dc.Polygon(page);
    Segment(dc, 15, 2, 15, 7);
    Segment(dc, 15, 7, 20, 7);
}

void Folder(DeviceContext& dc) {
    Pen(dc, kInk);
    Brush(dc, kFolderBack);
    dc.Rectangle(2, 6, 21, 21);
    const std::array<POINT, 4> front{{{5, 10}, {22, 10}, {19, 20}, {2, 20}}};
    Brush(dc, kFolder);
    dc.Polygon(front);
}

void Disk(DeviceContext& dc) {
    Pen(dc, kInk);
    Brush(dc, kBlue);
    dc.Rectangle(3, 3, 22, 22);
    Brush(dc, kWhite);
    dc.Rectangle(7, 3, 18, 11);
    Brush(dc, kGrey);
    dc.Rectangle(6, 13, 19, 22);
}

void Profile(DeviceContext& dc) {
    Pen(dc, kGround, 2);
    Curve(dc, {2, 17}, {8, 8}, {12, 20}, {22, 11});
    Pen(dc, kInk);
    Segment(dc, 2, 21, 23, 21);
}

void Mesh(DeviceContext& dc) {
    Pen(dc, kGround);
    for (int i = 0; i < 4; ++i) {
        const int y = 8 + i * 4;
        Segment(dc, 2 + i * 2, y, 16 + i * 2, y - 4);
        Segment(dc, 2 + i * 4, 8, 8 + i * 4, 20);
    }
    dc.SelectObject(
        plat::CreateFontIndirect(plat::LOGFONT{.height = -8, .weight = plat::FW_BOLD, .faceName = "Arial"}));
    dc.SetBkMode(plat::TRANSPARENT);
    dc.SetTextColor(kInk);
    dc.SetTextAlign(plat::TA_CENTER | plat::TA_TOP);
    dc.TextOut(18, 14, "3D");
}

void RunArrow(DeviceContext& dc, int x) {
    const std::array<POINT, 3> triangle{{{x, 4}, {x + 12, 12}, {x, 20}}};
    Pen(dc, kInk);
    Brush(dc, kGreen);
    dc.Polygon(triangle);
}

void Graph(DeviceContext& dc, int left) {
    Pen(dc, kInk);
    Segment(dc, left, 3, left, 21);
    Segment(dc, left, 21, 23, 21);
    Pen(dc, kRed, 2);
    Curve(dc, {left + 1, 18}, {left + 6, 2}, {left + 10, 22}, {22, 6});
}

void Rays(DeviceContext& dc, bool diffraction, bool surface) {
    Pen(dc, kInk);
    Segment(dc, 2, 20, 23, 20);
    Brush(dc, kBlue);
    dc.Rectangle(3, 6, 7, 21);
    Pen(dc, kRed);
    Segment(dc, 5, 8, 22, 4);
    Segment(dc, 5, 8, 13, 20);
    Segment(dc, 13, 20, 22, 10);
    if (diffraction) {
        Pen(dc, kGreen);
        dc.Arc(10, 12, 23, 25, 22, 18, 10, 18); // the upper half
    }
    if (surface) {
        dc.SelectObject(plat::GetStockObject(plat::NULL_PEN));
        Brush(dc, kPaleGreen);
        dc.Rectangle(8, 17, 23, 21);
    }
}

void Draw(DeviceContext& dc, ToolbarImage image) {
    switch (image) {
    case ToolbarImage::New:
        Sheet(dc);
        break;
    case ToolbarImage::Save:
        Disk(dc);
        break;
    case ToolbarImage::Ground3D:
        Mesh(dc);
        break;
    case ToolbarImage::Open:
        Folder(dc);
        break;
    case ToolbarImage::Ground2D:
        Profile(dc);
        break;
    case ToolbarImage::Run:
        RunArrow(dc, 6);
        break;
    case ToolbarImage::RunAndPlot:
        Graph(dc, 10);
        RunArrow(dc, 1);
        break;
    case ToolbarImage::Plot:
        Graph(dc, 3);
        break;
    case ToolbarImage::RayOptics:
        Rays(dc, false, false);
        break;
    case ToolbarImage::Gtd:
        Rays(dc, true, false);
        break;
    case ToolbarImage::PhysicalOptics:
        Rays(dc, false, true);
        break;
    }
}

} // namespace

QImage ToolbarIcon(ToolbarImage image) {
    plat::PixelBuffer icon(kToolbarIconSize, kToolbarIconSize, plat::PixelFormat::Bgra32); // transparent
    DeviceContext dc(icon);
    Draw(dc, image);
    return plat::ToQImage(icon);
}

QImage LoadPicture() {
    plat::PixelBuffer icon(20, 20, plat::PixelFormat::Bgra32);
    DeviceContext dc(icon);
    // The folder of the toolbar, mapped down to 20 pixels.
    dc.SetMapMode(plat::MM_ANISOTROPIC);
    dc.SetWindowExtEx(kToolbarIconSize, kToolbarIconSize);
    dc.SetViewportExtEx(20, 20);
    Folder(dc);
    return plat::ToQImage(icon);
}
