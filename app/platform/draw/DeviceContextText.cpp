// The device context's text: fonts, TextOut and extents.
#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "platform/draw/DeviceUnits.h"
#include "platform/draw/FontFaces.h"
#include "platform/draw/ImageView.h"

namespace plat {

using device::Round;
using device::ToQt;

namespace {

// The default character height of a font whose height is 0, in pixels.
constexpr int kDefaultFontPixels = 12;

// The Qt font of a font record whose heights are scaled by `scaleY` (device pixels per unit).
QFont QtFont(const LOGFONT& record, double scaleY) {
    const FontFace face = SubstituteFace(record.faceName);
    QFont font(QString::fromStdString(face.family));
    font.setStyleStrategy(QFont::NoAntialias);
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

} // namespace

bool DeviceContext::TextOut(int x, int y, std::string_view text) {
    if (target_->Empty() || target_->BitsPerPixel() != 32) {
        return false;
    }
    const LOGFONT& record = Font();
    if (textLog_ != nullptr) {
        textLog_->push_back({std::string(text), {x, y}, record.escapement, state_.textColour});
    }
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
    painter.setRenderHint(QPainter::TextAntialiasing, false);
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

} // namespace plat
