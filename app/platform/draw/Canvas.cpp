#include "platform/draw/Canvas.h"

#include <cmath>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>

namespace plat {

namespace {

constexpr double kTwipsPerPixel = 15.0;

Canvas::Colour ToColour(QRgb rgb) {
    return static_cast<Canvas::Colour>(qRed(rgb)) | (static_cast<Canvas::Colour>(qGreen(rgb)) << 8) |
           (static_cast<Canvas::Colour>(qBlue(rgb)) << 16);
}

} // namespace

QColor CanvasColour(Canvas::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Canvas::Canvas(int widthPixels, int heightPixels)
    : image_(std::max(1, widthPixels), std::max(1, heightPixels), QImage::Format_RGB32) {
    image_.fill(CanvasColour(backColor_));
}

void Canvas::SetPicture(const QImage& picture) {
    image_.fill(CanvasColour(backColor_));
    QPainter painter(&image_);
    painter.drawImage(0, 0, picture);
}

void Canvas::ResizePixels(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == image_.width() && height == image_.height()) {
        return;
    }
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(CanvasColour(backColor_));
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = resized;
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
    return userScale_ ? scaleWidth_ : image_.width() * kTwipsPerPixel;
}
double Canvas::ScaleHeight() const {
    return userScale_ ? scaleHeight_ : image_.height() * kTwipsPerPixel;
}
double Canvas::UnitsPerPixelX() const {
    return ScaleWidth() / image_.width();
}
double Canvas::UnitsPerPixelY() const {
    return ScaleHeight() / image_.height();
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

void Canvas::Cls() {
    image_.fill(CanvasColour(backColor_));
    currentX_ = scaleLeft_;
    currentY_ = scaleTop_;
}

void Canvas::Line(double x1, double y1, double x2, double y2, BoxStyle style) {
    Line(x1, y1, x2, y2, foreColor_, style);
}

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour, BoxStyle style) {
    QPainter painter(&image_);
    const QPointF a(ToPixelX(x1), ToPixelY(y1));
    const QPointF b(ToPixelX(x2), ToPixelY(y2));
    QPen pen(CanvasColour(colour));
    pen.setWidth(drawWidth_);
    painter.setPen(pen);
    switch (style) {
    case BoxStyle::None:
        painter.drawLine(a, b);
        break;
    case BoxStyle::Box:
        painter.drawRect(QRectF(a, b).normalized());
        break;
    case BoxStyle::FilledBox:
        painter.fillRect(QRectF(a, b).normalized(), CanvasColour(colour));
        break;
    }
    currentX_ = x2;
    currentY_ = y2;
}

void Canvas::Circle(double x, double y, double r) {
    Circle(x, y, r, foreColor_);
}

void Canvas::Circle(double x, double y, double r, Colour colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(CanvasColour(colour));
    pen.setWidth(drawWidth_);
    painter.setPen(pen);
    painter.setBrush(fillSolid_ ? QBrush(CanvasColour(fillColor_)) : Qt::NoBrush);
    const double radius = std::abs(r / UnitsPerPixelX());
    painter.drawEllipse(QPointF(ToPixelX(x), ToPixelY(y)), radius, radius);
    currentX_ = x;
    currentY_ = y;
}

void Canvas::PSet(double x, double y) {
    PSet(x, y, foreColor_);
}

void Canvas::PSet(double x, double y, Colour colour) {
    const int px = static_cast<int>(std::floor(ToPixelX(x)));
    const int py = static_cast<int>(std::floor(ToPixelY(y)));
    if (drawWidth_ <= 1) {
        if (image_.valid(px, py)) {
            image_.setPixel(px, py, CanvasColour(colour).rgb());
        }
    } else {
        QPainter painter(&image_);
        const double half = drawWidth_ / 2.0;
        painter.fillRect(QRectF(px + 0.5 - half, py + 0.5 - half, drawWidth_, drawWidth_),
                         CanvasColour(colour));
    }
    currentX_ = x;
    currentY_ = y;
}

std::int64_t Canvas::Point(double x, double y) const {
    const int px = static_cast<int>(std::floor(ToPixelX(x)));
    const int py = static_cast<int>(std::floor(ToPixelY(y)));
    if (!image_.valid(px, py)) {
        return -1;
    }
    return ToColour(image_.pixel(px, py));
}

void Canvas::Print(const std::string& text) {
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(CanvasColour(foreColor_));
    const QFontMetricsF metrics(font_);
    const QString q = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    painter.drawText(QPointF(ToPixelX(currentX_), ToPixelY(currentY_) + metrics.ascent()), q);
    currentX_ = scaleLeft_;
    currentY_ += metrics.height() * UnitsPerPixelY();
}

double Canvas::TextWidth(const std::string& text) const {
    const QFontMetricsF metrics(font_);
    const QString q = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return metrics.horizontalAdvance(q) * std::abs(UnitsPerPixelX());
}

double Canvas::TextHeight(const std::string&) const {
    return QFontMetricsF(font_).height() * std::abs(UnitsPerPixelY());
}

void Canvas::FloodFillPixels(int px, int py, Colour fill, Colour border) {
    if (!image_.valid(px, py)) {
        return;
    }
    const QRgb borderRgb = CanvasColour(border).rgb();
    const QRgb fillRgb = CanvasColour(fill).rgb();
    const int w = image_.width();
    const int h = image_.height();
    std::vector<bool> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
    auto open = [&](int x, int y) {
        return !done[static_cast<std::size_t>(y) * w + x] && image_.pixel(x, y) != borderRgb;
    };
    if (!open(px, py)) {
        return;
    }
    std::vector<QPoint> stack{QPoint(px, py)};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        int x = p.x();
        const int y = p.y();
        if (!open(x, y)) {
            continue;
        }
        while (x > 0 && open(x - 1, y)) {
            --x;
        }
        bool above = false;
        bool below = false;
        for (; x < w && open(x, y); ++x) {
            done[static_cast<std::size_t>(y) * w + x] = true;
            image_.setPixel(x, y, fillRgb);
            if (y > 0) {
                const bool o = open(x, y - 1);
                if (o && !above) {
                    stack.emplace_back(x, y - 1);
                }
                above = o;
            }
            if (y + 1 < h) {
                const bool o = open(x, y + 1);
                if (o && !below) {
                    stack.emplace_back(x, y + 1);
                }
                below = o;
            }
        }
    }
}

} // namespace plat
