#include "ground/digitise/ui/PromptPictures.h"

#include <QPainter>

namespace digitise {

QImage PromptPicture(Prompt prompt) {
    constexpr int s = kPromptPictureSize;
    QImage image(s, s, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (prompt == Prompt::ReadyToDig) {
        painter.setPen(QPen(QColor(0, 140, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygon({QPoint(6, 17), QPoint(13, 25), QPoint(26, 7)}));
        return image;
    }
    constexpr int m = 7;
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(m, m, s - 2 * m, s - 2 * m);
    const bool left = prompt == Prompt::LowLeft || prompt == Prompt::UpLeft;
    const bool low = prompt == Prompt::LowLeft || prompt == Prompt::LowRight;
    const QPointF corner(left ? m : s - m, low ? s - m : m);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0x44, 0x44));
    painter.drawEllipse(corner, 5, 5);
    return image;
}

} // namespace digitise
