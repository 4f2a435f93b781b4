#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include <QPainter>
#include <QPolygon>

#include "platform/draw/DeviceUnits.h"
#include "platform/draw/ImageView.h"

namespace plat {

using device::Round;
using device::ToQt;

namespace {

// The platform's cosmetic dash patterns, in pixels: on, off, on, off, ...
std::span<const int> DashPattern(int style) {
    static constexpr std::array<int, 2> kDash{18, 6};
    static constexpr std::array<int, 2> kDot{3, 3};
    static constexpr std::array<int, 4> kDashDot{9, 6, 3, 6};
    static constexpr std::array<int, 6> kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return kDash;
    case PS_DOT:
        return kDot;
    case PS_DASHDOT:
        return kDashDot;
    case PS_DASHDOTDOT:
        return kDashDotDot;
    default:
        return {};
    }
}

// Lines are rasterised only within this square around the picture, so that a line to a far point
// costs no more than a line across the picture.
constexpr double kFar = 1 << 16;

// Cuts the segment to the square |x|, |y| <= kFar (Liang-Barsky); false when it misses it.
bool ClipToFar(POINT& from, POINT& to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double t0 = 0;
    double t1 = 1;
    const std::array<std::pair<double, double>, 4> edges{
        {{-dx, from.x + kFar}, {dx, kFar - from.x}, {-dy, from.y + kFar}, {dy, kFar - from.y}}};
    for (const auto& [p, q] : edges) {
        if (p == 0) {
            if (q < 0) {
                return false;
            }
        } else if (p < 0) {
            t0 = std::max(t0, q / p);
        } else {
            t1 = std::min(t1, q / p);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const POINT a = from;
    from = {Round(a.x + t0 * dx), Round(a.y + t0 * dy)};
    to = {Round(a.x + t1 * dx), Round(a.y + t1 * dy)};
    return true;
}

bool Far(POINT p) {
    return std::abs(p.x) > kFar || std::abs(p.y) > kFar;
}

} // namespace

DeviceContext::DeviceContext(PixelBuffer& target) : target_(&target) {
    state_.pen = GetStockObject(BLACK_PEN);
    state_.brush = GetStockObject(WHITE_BRUSH);
    state_.font = GetStockObject(SYSTEM_FONT);
}

// ---- mapping ----

int DeviceContext::SetMapMode(int mode) {
    const int previous = state_.mapMode;
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC) {
        return 0;
    }
    state_.mapMode = mode;
    return previous;
}

bool DeviceContext::SetWindowExtEx(int x, int y, SIZE* previous) {
    if (previous != nullptr) {
        *previous = state_.mapMode == MM_TEXT ? SIZE{1, 1} : state_.windowExt;
    }
    if (x == 0 || y == 0) {
        return false;
    }
    if (state_.mapMode == MM_TEXT) {
        return true; // one unit is one pixel whatever the extents say
    }
    state_.windowExt = {x, y};
    return true;
}

bool DeviceContext::SetViewportExtEx(int x, int y, SIZE* previous) {
    if (previous != nullptr) {
        *previous = state_.mapMode == MM_TEXT ? SIZE{1, 1} : state_.viewportExt;
    }
    if (x == 0 || y == 0) {
        return false;
    }
    if (state_.mapMode == MM_TEXT) {
        return true; // one unit is one pixel whatever the extents say
    }
    state_.viewportExt = {x, y};
    return true;
}

bool DeviceContext::SetWindowOrgEx(int x, int y, POINT* previous) {
    if (previous != nullptr) {
        *previous = state_.windowOrg;
    }
    state_.windowOrg = {x, y};
    return true;
}

bool DeviceContext::SetViewportOrgEx(int x, int y, POINT* previous) {
    if (previous != nullptr) {
        *previous = state_.viewportOrg;
    }
    state_.viewportOrg = {x, y};
    return true;
}

bool DeviceContext::GetWindowExtEx(SIZE& size) const {
    size = state_.mapMode == MM_TEXT ? SIZE{1, 1} : state_.windowExt;
    return true;
}

bool DeviceContext::GetViewportExtEx(SIZE& size) const {
    size = state_.mapMode == MM_TEXT ? SIZE{1, 1} : state_.viewportExt;
    return true;
}

double DeviceContext::ScaleX() const {
    return state_.mapMode == MM_TEXT ? 1.0 : static_cast<double>(state_.viewportExt.cx) / state_.windowExt.cx;
}

double DeviceContext::ScaleY() const {
    return state_.mapMode == MM_TEXT ? 1.0 : static_cast<double>(state_.viewportExt.cy) / state_.windowExt.cy;
}

DeviceContext::Mapping DeviceContext::Map() const {
    return {ScaleX(), ScaleY(), state_.windowOrg, state_.viewportOrg};
}

POINT DeviceContext::Mapping::ToDevice(POINT logical) const {
    return {Round(X(logical.x)), Round(Y(logical.y))};
}

double DeviceContext::ToDeviceX(double x) const {
    return Map().X(x);
}

double DeviceContext::ToDeviceY(double y) const {
    return Map().Y(y);
}

POINT DeviceContext::LPtoDP(POINT logical) const {
    return Map().ToDevice(logical);
}

POINT DeviceContext::DPtoLP(POINT device) const {
    return {Round((device.x - state_.viewportOrg.x) / ScaleX() + state_.windowOrg.x),
            Round((device.y - state_.viewportOrg.y) / ScaleY() + state_.windowOrg.y)};
}

// ---- state ----

int DeviceContext::SaveDC() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::RestoreDC(int level) {
    const int count = static_cast<int>(saved_.size());
    const int index = level < 0 ? count + level : level - 1;
    if (index < 0 || index >= count) {
        return false;
    }
    state_ = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
    return true;
}

HGDIOBJ DeviceContext::SelectObject(const HGDIOBJ& object) {
    if (!object) {
        return nullptr;
    }
    HGDIOBJ* slot = std::holds_alternative<LOGPEN>(*object)     ? &state_.pen
                    : std::holds_alternative<LOGBRUSH>(*object) ? &state_.brush
                                                                : &state_.font;
    return std::exchange(*slot, object);
}

HGDIOBJ DeviceContext::GetCurrentObject(int objectType) const {
    switch (objectType) {
    case OBJ_PEN: return state_.pen;
    case OBJ_BRUSH: return state_.brush;
    case OBJ_FONT: return state_.font;
    default: return nullptr;
    }
}

Colour DeviceContext::SetTextColor(Colour colour) {
    return std::exchange(state_.textColour, colour);
}

Colour DeviceContext::SetBkColor(Colour colour) {
    return std::exchange(state_.backColour, colour);
}

int DeviceContext::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(state_.backMode, mode);
}

unsigned DeviceContext::SetTextAlign(unsigned align) {
    return std::exchange(state_.textAlign, align);
}

int DeviceContext::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return std::exchange(state_.stretchMode, mode);
}

const LOGPEN& DeviceContext::Pen() const {
    return std::get<LOGPEN>(*state_.pen);
}
const LOGBRUSH& DeviceContext::Brush() const {
    return std::get<LOGBRUSH>(*state_.brush);
}
const LOGFONT& DeviceContext::Font() const {
    return std::get<LOGFONT>(*state_.font);
}

int DeviceContext::PenPixels() const {
    return std::max(1, Round(std::abs(Pen().width * ScaleX())));
}

// ---- lines ----

bool DeviceContext::MoveToEx(int x, int y, POINT* previous) {
    if (previous != nullptr) {
        *previous = state_.current;
    }
    state_.current = {x, y};
    styleStep_ = 0;
    return true;
}

bool DeviceContext::GetCurrentPositionEx(POINT& point) const {
    point = state_.current;
    return true;
}

bool DeviceContext::LineTo(int x, int y) {
    const Mapping map = Map();
    const POINT from = map.ToDevice(state_.current);
    const POINT to = map.ToDevice({x, y});
    state_.current = {x, y};
    return Line(from, to, PenForLines());
}

bool DeviceContext::Polyline(std::span<const POINT> points) {
    if (points.size() < 2) {
        return false;
    }
    const auto count = static_cast<unsigned>(points.size());
    return PolyPolyline(points, {&count, 1});
}

bool DeviceContext::PolyPolyline(std::span<const POINT> points, std::span<const unsigned> counts) {
    std::size_t needed = 0;
    for (const unsigned count : counts) {
        if (count < 2) {
            return false;
        }
        needed += count;
    }
    if (needed > points.size()) {
        return false;
    }
    const Mapping map = Map();
    const LinePen pen = PenForLines();
    bool drawn = true;
    std::size_t at = 0;
    for (const unsigned count : counts) {
        styleStep_ = 0; // each polyline starts its dash pattern afresh, as after a MoveToEx
        POINT from = map.ToDevice(points[at]);
        for (std::size_t i = 1; i < count; ++i) {
            const POINT to = map.ToDevice(points[at + i]);
            drawn = Line(from, to, pen) && drawn;
            from = to;
        }
        at += count;
    }
    return drawn;
}

DeviceContext::LinePen DeviceContext::PenForLines() const {
    const LOGPEN& pen = Pen();
    LinePen line{};
    line.none = pen.style == PS_NULL;
    line.pixels = PenPixels();
    line.pattern = pen.width <= 1 ? DashPattern(pen.style) : std::span<const int>{};
    for (const int length : line.pattern) {
        line.cycle += length;
    }
    line.ink = ResolveColour(pen.colour);
    line.gap = ResolveColour(state_.backColour);
    line.paintGaps = state_.backMode == OPAQUE;
    return line;
}

bool DeviceContext::Line(POINT from, POINT to, const LinePen& pen) {
    if (pen.none) {
        return true;
    }
    if (pen.pixels > 1) {
        return WideLine(from, to, pen.pixels);
    }
    if (Far(from) || Far(to)) {
        if (ClipToFar(from, to)) {
            ThinLine(from, to, pen);
        }
        return true;
    }
    ThinLine(from, to, pen);
    return true;
}

// Bresenham from `from` to `to` without the last pixel, the pen's dash pattern running on.
void DeviceContext::ThinLine(POINT from, POINT to, const LinePen& pen) {
    const std::span<const int> pattern = pen.pattern;
    const int cycle = pen.cycle;
    PixelBuffer& buffer = *target_;
    const bool words = buffer.BitsPerPixel() == 32;
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
        bool on = true;
        if (cycle > 0) {
            int position = styleStep_ % cycle;
            std::size_t segment = 0;
            while (position >= pattern[segment]) {
                position -= pattern[segment];
                ++segment;
            }
            on = segment % 2 == 0;
            ++styleStep_;
        }
        if (buffer.Contains(x, y) && (on || pen.paintGaps)) {
            const Colour colour = on ? pen.ink : pen.gap;
            if (words) {
                PixelBuffer::Put32(buffer.Row(y) + 4 * static_cast<std::size_t>(x), colour);
            } else {
                buffer.SetPixel(x, y, colour);
            }
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

bool DeviceContext::WideLine(POINT from, POINT to, int pixels) {
    QImage view = ImageView(*target_);
    if (view.isNull() || target_->BitsPerPixel() != 32) {
        return false;
    }
    QPainter painter(&view);
    painter.setPen(QPen(ToQt(Pen().colour), pixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    return true;
}

// ---- figures ----

namespace {

QPen QtPen(const LOGPEN& pen, int pixels) {
    if (pen.style == PS_NULL) {
        return Qt::NoPen;
    }
    QPen q(ToQt(pen.colour), pixels, Qt::SolidLine, pixels > 1 ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
    const std::span<const int> pattern = pen.width <= 1 ? DashPattern(pen.style) : std::span<const int>{};
    if (!pattern.empty()) {
        q.setDashPattern(QList<qreal>(pattern.begin(), pattern.end()));
    }
    return q;
}

QBrush QtBrush(const LOGBRUSH& brush) {
    return brush.style == BS_NULL ? QBrush(Qt::NoBrush) : QBrush(ToQt(brush.colour));
}

} // namespace

bool DeviceContext::Shape(int left, int top, int right, int bottom, bool ellipse) {
    if (target_->Empty() || target_->BitsPerPixel() != 32) {
        return false;
    }
    POINT a = LPtoDP({left, top});
    POINT b = LPtoDP({right, bottom});
    if (a.x > b.x) {
        std::swap(a.x, b.x);
    }
    if (a.y > b.y) {
        std::swap(a.y, b.y);
    }
    QImage view = ImageView(*target_);
    QPainter painter(&view);
    painter.setPen(QtPen(Pen(), PenPixels()));
    painter.setBrush(QtBrush(Brush()));
    const QRectF box(a.x, a.y, b.x - a.x - 1, b.y - a.y - 1);
    if (ellipse) {
        painter.drawEllipse(box);
    } else {
        painter.drawRect(box);
    }
    return true;
}

bool DeviceContext::Rectangle(int left, int top, int right, int bottom) {
    return Shape(left, top, right, bottom, false);
}

bool DeviceContext::Ellipse(int left, int top, int right, int bottom) {
    return Shape(left, top, right, bottom, true);
}

bool DeviceContext::Polygon(std::span<const POINT> points) {
    if (points.size() < 2 || target_->Empty() || target_->BitsPerPixel() != 32) {
        return false;
    }
    QPolygon polygon;
    for (const POINT& p : points) {
        const POINT d = LPtoDP(p);
        polygon << QPoint(d.x, d.y);
    }
    QImage view = ImageView(*target_);
    QPainter painter(&view);
    painter.setPen(QtPen(Pen(), PenPixels()));
    painter.setBrush(QtBrush(Brush()));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
    return true;
}

bool DeviceContext::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                        int yEnd) {
    if (target_->Empty() || target_->BitsPerPixel() != 32) {
        return false;
    }
    const POINT a = LPtoDP({left, top});
    const POINT b = LPtoDP({right, bottom});
    const POINT s = LPtoDP({xStart, yStart});
    const POINT e = LPtoDP({xEnd, yEnd});
    const QRectF box = QRectF(QPointF(a.x, a.y), QPointF(b.x - 1, b.y - 1)).normalized();
    const QPointF centre = box.center();
    const auto degrees = [&](POINT p) {
        return std::atan2(centre.y() - p.y, p.x - centre.x()) * 180.0 / std::numbers::pi;
    };
    const double start = degrees(s);
    double span = degrees(e) - start;
    if (span <= 0) {
        span += 360.0;
    }
    QImage view = ImageView(*target_);
    QPainter painter(&view);
    painter.setPen(QtPen(Pen(), PenPixels()));
    painter.drawArc(box, Round(start * 16), Round(span * 16));
    return true;
}

bool DeviceContext::FillRect(const RECT& rect, const HGDIOBJ& brush) {
    LOGBRUSH record;
    if (!GetObject(brush, record)) {
        return false;
    }
    if (record.style == BS_NULL) {
        return true;
    }
    POINT a = LPtoDP({rect.left, rect.top});
    POINT b = LPtoDP({rect.right, rect.bottom});
    const Colour colour = ResolveColour(record.colour);
    PixelBuffer& buffer = *target_;
    const int x0 = std::max(0, std::min(a.x, b.x));
    const int x1 = std::min(buffer.Width(), std::max(a.x, b.x));
    const int y0 = std::max(0, std::min(a.y, b.y));
    const int y1 = std::min(buffer.Height(), std::max(a.y, b.y));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            buffer.SetPixel(x, y, colour);
        }
    }
    return true;
}

} // namespace plat
