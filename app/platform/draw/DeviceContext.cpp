#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include "platform/draw/FontFaces.h"
#include "platform/draw/ImageView.h"
#include "platform/draw/SystemColours.h"

namespace plat {

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

// Device coordinates are held to the platform's 27-bit range (a NaN goes to its lower end).
constexpr double kDeviceLimit = 1 << 27;

int Round(double v) {
    if (!(v > -kDeviceLimit)) {
        return -static_cast<int>(kDeviceLimit);
    }
    return static_cast<int>(std::floor(std::min(v, kDeviceLimit) + 0.5));
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

QColor ToQt(Colour colour) {
    const Colour rgb = ResolveColour(colour);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// The default character height of a font whose height is 0, in pixels.
constexpr int kDefaultFontPixels = 12;

// The Qt font of a font record whose heights are scaled by `scaleY` (device pixels per unit).
QFont QtFont(const LOGFONT& record, double scaleY) {
    const FontFace face = SubstituteFace(record.faceName);
    QFont font(QString::fromStdString(face.family));
    const int weight =
        std::clamp(std::max(record.weight == 0 ? FW_NORMAL : record.weight, face.minimumWeight), 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(record.italic);
    font.setUnderline(record.underline);
    font.setStrikeOut(record.strikeOut);
    double em = kDefaultFontPixels;
    if (record.height < 0) {
        em = -record.height * scaleY;
    } else if (record.height > 0) {
        // A cell height: the character height is the cell less the internal leading.
        font.setPixelSize(100);
        const QFontMetricsF m(font);
        em = record.height * scaleY * 100.0 / (m.ascent() + m.descent());
    }
    font.setPixelSize(std::max(1, Round(em)));
    return font;
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool SameTable(const PixelBuffer& a, const PixelBuffer& b) {
    return a.Format() == PixelFormat::Indexed8 && b.Format() == PixelFormat::Indexed8 &&
           a.Colours() == b.Colours();
}

// One pixel from `source` to `target`, converting between layouts.
void CopyPixel(const PixelBuffer& source, int xs, int ys, PixelBuffer& target, int x, int y, bool sameTable) {
    if (sameTable) {
        target.Row(y)[x] = source.Row(ys)[xs];
    } else if (source.Format() == PixelFormat::Bgra32 && target.Format() == PixelFormat::Bgra32) {
        std::copy_n(source.Row(ys) + xs * 4, 4, target.Row(y) + x * 4);
    } else {
        target.SetPixel(x, y, source.Pixel(xs, ys));
    }
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

double DeviceContext::ToDeviceX(double x) const {
    return (x - state_.windowOrg.x) * ScaleX() + state_.viewportOrg.x;
}

double DeviceContext::ToDeviceY(double y) const {
    return (y - state_.windowOrg.y) * ScaleY() + state_.viewportOrg.y;
}

POINT DeviceContext::LPtoDP(POINT logical) const {
    return {Round(ToDeviceX(logical.x)), Round(ToDeviceY(logical.y))};
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
    const POINT from = LPtoDP(state_.current);
    const POINT to = LPtoDP({x, y});
    state_.current = {x, y};
    if (Pen().style == PS_NULL) {
        return true;
    }
    if (PenPixels() > 1) {
        return WideLine(from, to);
    }
    if (Far(from) || Far(to)) {
        POINT a = from;
        POINT b = to;
        if (ClipToFar(a, b)) {
            ThinLine(a, b);
        }
        return true;
    }
    ThinLine(from, to);
    return true;
}

bool DeviceContext::Polyline(std::span<const POINT> points) {
    if (points.size() < 2) {
        return false;
    }
    const POINT kept = state_.current;
    MoveToEx(points[0].x, points[0].y);
    bool drawn = true;
    for (std::size_t i = 1; i < points.size(); ++i) {
        drawn = LineTo(points[i].x, points[i].y) && drawn;
    }
    state_.current = kept;
    return drawn;
}

// Bresenham from `from` to `to` without the last pixel, the pen's dash pattern running on.
void DeviceContext::ThinLine(POINT from, POINT to) {
    const LOGPEN& pen = Pen();
    const std::span<const int> pattern = Pen().width <= 1 ? DashPattern(pen.style) : std::span<const int>{};
    int cycle = 0;
    for (const int length : pattern) {
        cycle += length;
    }
    const Colour ink = ResolveColour(pen.colour);
    const Colour gap = ResolveColour(state_.backColour);
    const bool paintGaps = state_.backMode == OPAQUE;
    PixelBuffer& buffer = *target_;
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
        if (buffer.Contains(x, y) && (on || paintGaps)) {
            buffer.SetPixel(x, y, on ? ink : gap);
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

bool DeviceContext::WideLine(POINT from, POINT to) {
    QImage view = ImageView(*target_);
    if (view.isNull() || target_->Format() == PixelFormat::Indexed8) {
        return false;
    }
    QPainter painter(&view);
    painter.setPen(QPen(ToQt(Pen().colour), PenPixels(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
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
    if (target_->Empty() || target_->Format() == PixelFormat::Indexed8) {
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
    if (points.size() < 2 || target_->Empty() || target_->Format() == PixelFormat::Indexed8) {
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
    if (target_->Empty() || target_->Format() == PixelFormat::Indexed8) {
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

// ---- text ----

bool DeviceContext::TextOut(int x, int y, std::string_view text) {
    if (target_->Empty() || target_->Format() == PixelFormat::Indexed8) {
        return false;
    }
    const LOGFONT& record = Font();
    const QFont font = QtFont(record, std::abs(ScaleY()));
    const QFontMetricsF metrics(font);
    const QString q = Latin1(text);
    const double width = metrics.horizontalAdvance(q);
    const unsigned horizontal = state_.textAlign & TA_CENTER;
    const unsigned vertical = state_.textAlign & TA_BASELINE;
    const double left = horizontal == TA_CENTER ? -width / 2 : horizontal == TA_RIGHT ? -width : 0.0;
    const double baseline = vertical == TA_BASELINE ? 0.0
                            : vertical == TA_BOTTOM ? -metrics.descent()
                                                    : metrics.ascent();
    const POINT origin = LPtoDP({x, y});
    QImage view = ImageView(*target_);
    QPainter painter(&view);
    painter.translate(origin.x, origin.y);
    painter.rotate(-record.escapement / 10.0);
    if (state_.backMode == OPAQUE) {
        painter.fillRect(
            QRectF(left, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
            ToQt(state_.backColour));
    }
    painter.setFont(font);
    painter.setPen(ToQt(state_.textColour));
    painter.drawText(QPointF(left, baseline), q);
    return true;
}

bool DeviceContext::GetTextExtentPoint32(std::string_view text, SIZE& size) const {
    const QFont font = QtFont(Font(), std::abs(ScaleY()));
    const QFontMetricsF metrics(font);
    size.cx = Round(metrics.horizontalAdvance(Latin1(text)) / std::abs(ScaleX()));
    size.cy = Round((metrics.ascent() + metrics.descent()) / std::abs(ScaleY()));
    return true;
}

// ---- pixels ----

Colour DeviceContext::SetPixel(int x, int y, Colour colour) {
    const POINT d = LPtoDP({x, y});
    if (!target_->Contains(d.x, d.y)) {
        return CLR_INVALID;
    }
    target_->SetPixel(d.x, d.y, ResolveColour(colour));
    return target_->Pixel(d.x, d.y);
}

Colour DeviceContext::GetPixel(int x, int y) const {
    const POINT d = LPtoDP({x, y});
    if (!target_->Contains(d.x, d.y)) {
        return CLR_INVALID;
    }
    return target_->Pixel(d.x, d.y);
}

bool DeviceContext::ExtFloodFill(int x, int y, Colour colour, unsigned type) {
    const POINT start = LPtoDP({x, y});
    PixelBuffer& buffer = *target_;
    if (!buffer.Contains(start.x, start.y) || Brush().style == BS_NULL) {
        return false;
    }
    const Colour rgb = ResolveColour(colour);
    const bool indexed = buffer.Format() == PixelFormat::Indexed8;
    const std::uint8_t index = indexed ? buffer.NearestIndex(rgb) : 0;
    const auto matches = [&](int px, int py) {
        return indexed ? buffer.Row(py)[px] == index : buffer.Pixel(px, py) == rgb;
    };
    const bool border = type == FLOODFILLBORDER;
    const Colour fill = ResolveColour(Brush().colour);
    const int w = buffer.Width();
    const int h = buffer.Height();
    std::vector<bool> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
    const auto open = [&](int px, int py) {
        return !done[static_cast<std::size_t>(py) * w + px] && matches(px, py) != border;
    };
    if (!open(start.x, start.y)) {
        return false;
    }
    // Scan lines: fill a run, then queue the runs above and below it.
    std::vector<POINT> stack{start};
    while (!stack.empty()) {
        const POINT p = stack.back();
        stack.pop_back();
        int px = p.x;
        const int py = p.y;
        if (!open(px, py)) {
            continue;
        }
        while (px > 0 && open(px - 1, py)) {
            --px;
        }
        bool above = false;
        bool below = false;
        for (; px < w && open(px, py); ++px) {
            done[static_cast<std::size_t>(py) * w + px] = true;
            buffer.SetPixel(px, py, fill);
            if (py > 0) {
                const bool o = open(px, py - 1);
                if (o && !above) {
                    stack.push_back({px, py - 1});
                }
                above = o;
            }
            if (py + 1 < h) {
                const bool o = open(px, py + 1);
                if (o && !below) {
                    stack.push_back({px, py + 1});
                }
                below = o;
            }
        }
    }
    return true;
}

// ---- blits ----

bool DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource,
                           int ySource, unsigned rop) {
    return StretchBlt(x, y, width, height, source, xSource, ySource, width, height, rop);
}

bool DeviceContext::StretchBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource,
                               int ySource, int widthSource, int heightSource, unsigned rop) {
    if (rop != SRCCOPY) {
        return false;
    }
    const POINT d0 = LPtoDP({x, y});
    const POINT d1 = LPtoDP({x + width, y + height});
    const POINT s0 = source.LPtoDP({xSource, ySource});
    const POINT s1 = source.LPtoDP({xSource + widthSource, ySource + heightSource});
    const int dw = d1.x - d0.x;
    const int dh = d1.y - d0.y;
    const int sw = s1.x - s0.x;
    const int sh = s1.y - s0.y;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) {
        return false;
    }
    // A copy when source and target are the same picture, so that overlapping parts read the old
    // pixels.
    PixelBuffer copy;
    const PixelBuffer* from = &source.Target();
    if (from == target_) {
        copy = *from;
        from = &copy;
    }
    PixelBuffer& to = *target_;
    const bool sameTable = SameTable(*from, to);
    // A negative extent mirrors; each target pixel takes the source pixel under its centre.
    const auto along = [](int origin, int extent, int i) { return extent > 0 ? origin + i : origin - 1 - i; };
    const auto sample = [](int i, int targetExtent, int sourceExtent) {
        return static_cast<int>((2LL * i + 1) * std::abs(sourceExtent) / (2LL * std::abs(targetExtent)));
    };
    // Only the steps that land inside the target: [first, last).
    const auto inside = [](int origin, int extent, int size) {
        return extent > 0 ? std::pair{std::max(0, -origin), std::min(extent, size - origin)}
                          : std::pair{std::max(0, origin - size), std::min(-extent, origin)};
    };
    const auto [firstRow, lastRow] = inside(d0.y, dh, to.Height());
    const auto [firstColumn, lastColumn] = inside(d0.x, dw, to.Width());
    for (int j = firstRow; j < lastRow; ++j) {
        const int ty = along(d0.y, dh, j);
        const int sy = along(s0.y, sh, sample(j, dh, sh));
        if (sy < 0 || sy >= from->Height()) {
            continue;
        }
        for (int i = firstColumn; i < lastColumn; ++i) {
            const int tx = along(d0.x, dw, i);
            const int sx = along(s0.x, sw, sample(i, dw, sw));
            if (to.Contains(tx, ty) && from->Contains(sx, sy)) {
                CopyPixel(*from, sx, sy, to, tx, ty, sameTable);
            }
        }
    }
    return true;
}

} // namespace plat
