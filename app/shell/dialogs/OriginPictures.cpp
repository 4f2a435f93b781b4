#include "shell/dialogs/OriginPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kGrass(0xD8, 0xE8, 0xC8);
const QColor kRunway(0x60, 0x60, 0x60);
const QColor kMarking(Qt::white);
const QColor kAxis(0xC0, 0x10, 0x10);
const QColor kText(Qt::black);
const QColor kAntenna(0x10, 0x30, 0xC0);

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, const QString& label, QPointF labelAt) {
    p.setPen(QPen(colour, 2));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to << to - u * 10 + n * 5 << to - u * 10 - n * 5;
    p.setBrush(colour);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
    p.setPen(colour);
    p.drawText(labelAt, label);
}

void Caption(QPainter& p, const QString& text) {
    QFont f = p.font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(kText);
    p.drawText(QRectF(0, 4, kOriginPictureWidth, 20), Qt::AlignHCenter, text);
    f.setBold(false);
    p.setFont(f);
}

// Top view: the approach comes from the left; the runway runs to the right of its threshold.
void DrawRunwayPlan(QPainter& p) {
    p.fillRect(QRectF(0, 0, kOriginPictureWidth, kOriginPictureHeight), kGrass);
    Caption(p, "Top view: window origin and file origin");
    const double thresholdX = 190;
    const double centreY = 150;
    p.fillRect(QRectF(thresholdX, centreY - 28, 320, 56), kRunway);
    p.setPen(QPen(kMarking, 2, Qt::DashLine));
    p.drawLine(QPointF(thresholdX + 20, centreY), QPointF(505, centreY));
    p.setPen(QPen(kMarking, 4));
    p.drawLine(QPointF(thresholdX + 4, centreY - 24), QPointF(thresholdX + 4, centreY + 24));
    // The extended centreline toward the approach.
    p.setPen(QPen(kText, 1, Qt::DotLine));
    p.drawLine(QPointF(20, centreY), QPointF(thresholdX, centreY));

    // The glide-slope antenna beside the runway, set back from the threshold.
    const QPointF antenna(thresholdX + 150, centreY - 70);
    p.setPen(QPen(kAntenna, 2));
    p.setBrush(kAntenna);
    p.drawEllipse(antenna, 6, 6);
    p.setBrush(Qt::NoBrush);
    p.drawText(antenna + QPointF(12, 4), "GS antenna");
    const QPointF abeam(antenna.x(), centreY);
    p.setPen(QPen(kAntenna, 1, Qt::DashLine));
    p.drawLine(antenna, abeam);

    // Window origin: the threshold on the centreline.
    const QPointF threshold(thresholdX + 4, centreY);
    p.setPen(QPen(kText, 2));
    p.setBrush(Qt::yellow);
    p.drawEllipse(threshold, 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(kText);
    p.drawText(QPointF(thresholdX - 150, centreY + 50), "Threshold = window origin");
    p.drawLine(QPointF(thresholdX - 40, centreY + 40), threshold + QPointF(-3, 5));

    // File origin: the point on the centreline abeam the antenna, with its axes.
    p.setPen(QPen(kAxis, 2));
    p.setBrush(kAxis);
    p.drawEllipse(abeam, 6, 6);
    p.setBrush(Qt::NoBrush);
    p.drawText(QPointF(abeam.x() - 40, centreY + 70), "File origin: point abeam GS");
    Arrow(p, abeam, abeam + QPointF(-110, 0), kAxis, "+Y (toward approach)", abeam + QPointF(-135, 44));
    Arrow(p, abeam, abeam + QPointF(0, -100), kAxis, "+X (offset)", abeam + QPointF(-76, -92));

    p.setPen(kText);
    p.drawText(QPointF(thresholdX - 10, centreY + 102), "Setback (threshold to antenna)");
    p.drawLine(QPointF(threshold.x(), centreY + 85), QPointF(abeam.x(), centreY + 85));
    p.drawLine(QPointF(threshold.x(), centreY + 80), QPointF(threshold.x(), centreY + 90));
    p.drawLine(QPointF(abeam.x(), centreY + 80), QPointF(abeam.x(), centreY + 90));
}

// Oblique view of a 3D ground file: lateral cuts across the centreline, in front of the file origin.
void DrawGroundCuts(QPainter& p) {
    p.fillRect(QRectF(0, 0, kOriginPictureWidth, kOriginPictureHeight), Qt::white);
    Caption(p, "3D ground file: lateral cuts, origin abeam the GS antenna");
    // Oblique projection: X to the right, Y into the picture (up and to the left), Z up.
    const QPointF origin(330, 236);
    const auto project = [&](double x, double y, double z) {
        return origin + QPointF(x * 0.9 - y * 0.5, -y * 0.5 - z);
    };
    p.setPen(QPen(QColor(0x40, 0x80, 0x40), 1.5));
    for (int cut = 0; cut < 5; ++cut) {
        const double y = cut * 70.0;
        QPainterPath path;
        for (int node = 0; node <= 6; ++node) {
            const double x = -150 + node * 50.0;
            const double z = 5.0 * std::sin(0.9 * cut + 0.6 * node) - cut * 1.5;
            const QPointF q = project(x, y, z);
            if (node == 0)
                path.moveTo(q);
            else
                path.lineTo(q);
            p.drawEllipse(q, 2, 2);
        }
        p.drawPath(path);
    }
    p.setPen(kText);
    p.drawText(project(150, 280, 0) + QPointF(8, 4), "one cut: nodes in ascending X");
    p.drawText(QPointF(10, 40), "cuts follow each other along Y");
    // The runway centreline through the origin.
    p.setPen(QPen(kText, 1, Qt::DashLine));
    p.drawLine(project(0, -30, 0), project(0, 300, 0));
    p.setPen(QPen(kAxis, 2));
    p.setBrush(kAxis);
    p.drawEllipse(origin, 5, 5);
    p.setBrush(Qt::NoBrush);
    Arrow(p, origin, project(190, 0, 0), kAxis, "+X", project(190, 0, 0) + QPointF(-6, 18));
    Arrow(p, origin, project(0, 330, 0), kAxis, "+Y (toward approach)", project(0, 330, 0) + QPointF(-70, -8));
    Arrow(p, origin, project(0, 0, 80), kAxis, "+Z (height)", project(0, 0, 80) + QPointF(6, 0));
    p.setPen(kText);
    p.drawText(QRectF(0, kOriginPictureHeight - 22, kOriginPictureWidth, 18), Qt::AlignHCenter,
               "Origin (0, 0, 0): runway centreline abeam the GS antenna");
}

} // namespace

QImage OriginPicture(int index) {
    if (index != 1 && index != 2)
        return {};
    QImage image(kOriginPictureWidth, kOriginPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 1)
        DrawRunwayPlan(p);
    else
        DrawGroundCuts(p);
    return image;
}
