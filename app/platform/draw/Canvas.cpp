#include "platform/draw/Canvas.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>

#include "platform/draw/ImageView.h"
#include "platform/draw/SystemColours.h"

namespace plat {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// Scale arithmetic lands a hair below whole pixels (29.999999...); such a point is on the whole one.
constexpr double kPixelTolerance = 1e-9;
// Pixels are held to the device context's 27-bit range (a NaN goes to its lower end).
constexpr double kPixelLimit = 1 << 27;

int Pixel(double v) {
    if (!(v > -kPixelLimit)) {
        return -static_cast<int>(kPixelLimit);
    }
    return static_cast<int>(std::floor(std::min(v, kPixelLimit) + kPixelTolerance));
}

// The DC in pixels for the length of one box method; its own state comes back afterwards.
class PixelScope {
public:
    explicit PixelScope(DeviceContext& dc) : dc_(dc), level_(dc.SaveDC()) {
        dc.SetMapMode(MM_TEXT);
        dc.SetWindowOrgEx(0, 0);
        dc.SetViewportOrgEx(0, 0);
    }
    PixelScope(const PixelScope&) = delete;
    PixelScope& operator=(const PixelScope&) = delete;
    ~PixelScope() { dc_.RestoreDC(level_); }

private:
    DeviceContext& dc_;
    int level_;
};

} // namespace

Canvas::Canvas(DeviceContext& dc) : dc_(dc) {
    dc_.SetBkMode(TRANSPARENT);
    dc_.SetBkColor(backColor_);
    dc_.SetTextColor(foreColor_);
    dc_.SelectObject(CreateFontIndirect(FontRecord()));
    dc_.Target().Fill(ResolveColour(backColor_));
}

void Canvas::SetPicture(const QImage& picture) {
    picture_ = picture;
    ClearToBackground();
}

void Canvas::ClearToBackground() {
    PixelBuffer& buffer = dc_.Target();
    buffer.Fill(ResolveColour(backColor_));
    if (picture_.isNull()) {
        return;
    }
    QImage view = ImageView(buffer);
    QPainter painter(&view);
    painter.drawImage(0, 0, picture_);
}

void Canvas::ResizePixels(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == PixelWidth() && height == PixelHeight()) {
        return;
    }
    dc_.Target().Resize(width, height, ResolveColour(backColor_));
}

void Canvas::Scale(double left, double top, double width, double height) {
    userScale_ = width != 0 && height != 0;
    scaleLeft_ = left;
    scaleTop_ = top;
    scaleWidth_ = width;
    scaleHeight_ = height;
    if (!userScale_) {
        ResetScale();
    }
}

void Canvas::ResetScale() {
    userScale_ = false;
    scaleLeft_ = 0;
    scaleTop_ = 0;
}

double Canvas::ScaleWidth() const {
    return userScale_ ? scaleWidth_ : PixelWidth() * kTwipsPerPixel;
}
double Canvas::ScaleHeight() const {
    return userScale_ ? scaleHeight_ : PixelHeight() * kTwipsPerPixel;
}
double Canvas::UnitsPerPixelX() const {
    return ScaleWidth() / PixelWidth();
}
double Canvas::UnitsPerPixelY() const {
    return ScaleHeight() / PixelHeight();
}
double Canvas::ToPixelX(double x) const {
    return (x - scaleLeft_) / UnitsPerPixelX();
}
double Canvas::ToPixelY(double y) const {
    return (y - scaleTop_) / UnitsPerPixelY();
}
double Canvas::FromPixelX(double px) const {
    return scaleLeft_ + px * UnitsPerPixelX();
}
double Canvas::FromPixelY(double py) const {
    return scaleTop_ + py * UnitsPerPixelY();
}
namespace {

// Pixels in one unit of a length, for the units that are not the user's.
double PerPixel(Canvas::Unit unit, double userPerPixel) {
    switch (unit) {
    case Canvas::Unit::User:
        return userPerPixel;
    case Canvas::Unit::Twips:
        return kTwipsPerPixel;
    case Canvas::Unit::Pixels:
        return 1;
    }
    return 1;
}

} // namespace

double Canvas::ScaleX(double length, Unit from, Unit to) const {
    return length / PerPixel(from, UnitsPerPixelX()) * PerPixel(to, UnitsPerPixelX());
}
double Canvas::ScaleY(double length, Unit from, Unit to) const {
    return length / PerPixel(from, UnitsPerPixelY()) * PerPixel(to, UnitsPerPixelY());
}

int Canvas::PixelX(double x) const {
    return Pixel(ToPixelX(x));
}
int Canvas::PixelY(double y) const {
    return Pixel(ToPixelY(y));
}

void Canvas::SetBackColor(Colour colour) {
    backColor_ = colour;
    dc_.SetBkColor(colour);
}

void Canvas::SetForeColor(Colour colour) {
    foreColor_ = colour;
    dc_.SetTextColor(colour);
}

void Canvas::SetFont(const std::string& name, double points, bool bold) {
    fontName_ = name;
    fontSize_ = points;
    fontBold_ = bold;
    dc_.SelectObject(CreateFontIndirect(FontRecord()));
}

LOGFONT Canvas::FontRecord() const {
    LOGFONT font;
    font.height = -static_cast<int>(std::lround(fontSize_ * kPixelsPerPoint));
    font.weight = fontBold_ ? FW_BOLD : FW_NORMAL;
    font.faceName = fontName_;
    return font;
}

void Canvas::Cls() {
    ClearToBackground();
    currentX_ = scaleLeft_;
    currentY_ = scaleTop_;
}

void Canvas::Line(double x1, double y1, double x2, double y2, BoxStyle style) {
    Line(x1, y1, x2, y2, foreColor_, style);
}

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour, BoxStyle style) {
    const PixelScope scope(dc_);
    const int ax = PixelX(x1);
    const int ay = PixelY(y1);
    const int bx = PixelX(x2);
    const int by = PixelY(y2);
    dc_.SelectObject(CreatePen(PS_SOLID, drawWidth_, colour));
    if (style == BoxStyle::None) {
        dc_.MoveToEx(ax, ay);
        dc_.LineTo(bx, by);
    } else {
        dc_.SelectObject(style == BoxStyle::FilledBox ? CreateSolidBrush(colour)
                                                      : GetStockObject(NULL_BRUSH));
        dc_.Rectangle(std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1);
    }
    currentX_ = x2;
    currentY_ = y2;
}

void Canvas::Circle(double x, double y, double r) {
    Circle(x, y, r, foreColor_);
}

void Canvas::Circle(double x, double y, double r, Colour colour) {
    const PixelScope scope(dc_);
    dc_.SelectObject(CreatePen(PS_SOLID, drawWidth_, colour));
    dc_.SelectObject(fillSolid_ ? CreateSolidBrush(fillColor_) : GetStockObject(NULL_BRUSH));
    const double radius = std::abs(r / UnitsPerPixelX());
    const double cx = ToPixelX(x);
    const double cy = ToPixelY(y);
    const auto round = [](double v) { return Pixel(v + 0.5); };
    dc_.Ellipse(round(cx - radius), round(cy - radius), round(cx + radius) + 1, round(cy + radius) + 1);
    currentX_ = x;
    currentY_ = y;
}

void Canvas::PSet(double x, double y) {
    PSet(x, y, foreColor_);
}

void Canvas::PSet(double x, double y, Colour colour) {
    const PixelScope scope(dc_);
    const int px = PixelX(x);
    const int py = PixelY(y);
    if (drawWidth_ <= 1) {
        dc_.SetPixel(px, py, colour);
    } else {
        const int left = px - (drawWidth_ - 1) / 2;
        const int top = py - (drawWidth_ - 1) / 2;
        dc_.FillRect(RECT{left, top, left + drawWidth_, top + drawWidth_}, CreateSolidBrush(colour));
    }
    currentX_ = x;
    currentY_ = y;
}

std::int64_t Canvas::Point(double x, double y) const {
    const int px = PixelX(x);
    const int py = PixelY(y);
    if (!Pixels().Contains(px, py)) {
        return -1;
    }
    return Pixels().Pixel(px, py);
}

void Canvas::Print(const std::string& text) {
    const double height = TextHeight(text);
    {
        const PixelScope scope(dc_);
        dc_.SelectObject(CreateFontIndirect(FontRecord()));
        dc_.SetTextColor(foreColor_);
        dc_.SetTextAlign(TA_LEFT | TA_TOP);
        dc_.TextOut(PixelX(currentX_), PixelY(currentY_), text);
    }
    currentX_ = scaleLeft_;
    currentY_ += height;
}

SIZE Canvas::Extent(const std::string& text) const {
    // Measured on a context of its own, so that the box's DC keeps its state.
    PixelBuffer none;
    DeviceContext measure(none);
    measure.SelectObject(CreateFontIndirect(FontRecord()));
    SIZE size;
    measure.GetTextExtentPoint32(text, size);
    return size;
}

double Canvas::TextWidth(const std::string& text) const {
    return Extent(text).cx * std::abs(UnitsPerPixelX());
}

double Canvas::TextHeight(const std::string& text) const {
    return Extent(text).cy * std::abs(UnitsPerPixelY());
}

} // namespace plat
