#include "shell/mainwindow/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kInk(0x20, 0x20, 0x20);
const QColor kPaper(0xFF, 0xFF, 0xF0);
const QColor kFolder(0xE8, 0xC0, 0x50);
const QColor kGreen(0x20, 0x90, 0x30);
const QColor kBlue(0x20, 0x50, 0xC0);
const QColor kRed(0xC0, 0x20, 0x20);
const QColor kGround(0x80, 0x60, 0x30);

void Sheet(QPainter& p) {
    QPolygonF page;
    page << QPointF(5, 2) << QPointF(15, 2) << QPointF(20, 7) << QPointF(20, 22) << QPointF(5, 22);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawLine(QPointF(15, 2), QPointF(15, 7));
    p.drawLine(QPointF(15, 7), QPointF(20, 7));
}

void Folder(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder.darker(115));
    p.drawRect(QRectF(2, 6, 18, 14));
    QPolygonF front;
    front << QPointF(5, 10) << QPointF(22, 10) << QPointF(19, 20) << QPointF(2, 20);
    p.setBrush(kFolder);
    p.drawPolygon(front);
}

void Disk(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(3, 3, 18, 18));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void Profile(QPainter& p) {
    p.setPen(QPen(kGround, 2));
    QPainterPath path(QPointF(2, 17));
    path.cubicTo(QPointF(8, 8), QPointF(12, 20), QPointF(22, 11));
    p.drawPath(path);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(2, 21), QPointF(22, 21));
}

void Mesh(QPainter& p) {
    p.setPen(QPen(kGround, 1.2));
    for (int i = 0; i < 4; ++i) {
        const double y = 8 + i * 4;
        p.drawLine(QPointF(2 + i * 2, y), QPointF(16 + i * 2, y - 4));
        p.drawLine(QPointF(2 + i * 4, 8 + 0.0), QPointF(8 + i * 4, 20));
    }
    p.setPen(kInk);
    QFont f = p.font();
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(12, 14, 12, 10), Qt::AlignCenter, "3D");
}

void RunArrow(QPainter& p, double x) {
    QPolygonF tri;
    tri << QPointF(x, 4) << QPointF(x + 12, 12) << QPointF(x, 20);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kGreen);
    p.drawPolygon(tri);
}

void Curve(QPainter& p, double left) {
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(left, 3), QPointF(left, 21));
    p.drawLine(QPointF(left, 21), QPointF(22, 21));
    p.setPen(QPen(kRed, 2));
    QPainterPath path(QPointF(left + 1, 18));
    path.cubicTo(QPointF(left + 6, 2), QPointF(left + 10, 22), QPointF(22, 6));
    p.drawPath(path);
}

void Rays(QPainter& p, bool diffraction, bool surface) {
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(2, 20), QPointF(22, 20));
    p.setBrush(kBlue);
    p.drawRect(QRectF(3, 6, 3, 14));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kRed, 1.5));
    p.drawLine(QPointF(5, 8), QPointF(22, 4));
    p.drawLine(QPointF(5, 8), QPointF(13, 20));
    p.drawLine(QPointF(13, 20), QPointF(22, 10));
    if (diffraction) {
        p.setPen(QPen(kGreen, 1.5));
        p.drawArc(QRectF(10, 12, 12, 12), 0, 180 * 16);
    }
    if (surface) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x90, 0x30, 120));
        p.drawRect(QRectF(8, 17, 14, 3));
    }
}

} // namespace

QImage ToolbarIcon(ToolbarImage image) {
    QImage icon(kToolbarIconSize, kToolbarIconSize, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ToolbarImage::New: Sheet(p); break;
    case ToolbarImage::Save: Disk(p); break;
    case ToolbarImage::Ground3D: Mesh(p); break;
    case ToolbarImage::Open: Folder(p); break;
    case ToolbarImage::Ground2D: Profile(p); break;
    case ToolbarImage::Run: RunArrow(p, 6); break;
    case ToolbarImage::RunAndPlot:
        Curve(p, 10);
        RunArrow(p, 1);
        break;
    case ToolbarImage::Plot: Curve(p, 3); break;
    case ToolbarImage::RayOptics: Rays(p, false, false); break;
    case ToolbarImage::Gtd: Rays(p, true, false); break;
    case ToolbarImage::PhysicalOptics: Rays(p, false, true); break;
    }
    return icon;
}

QImage LoadPicture() {
    QImage icon(20, 20, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(20.0 / kToolbarIconSize, 20.0 / kToolbarIconSize);
    Folder(p);
    return icon;
}
