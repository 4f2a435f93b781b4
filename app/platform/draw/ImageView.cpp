#include "platform/draw/ImageView.h"

#include <QList>

namespace plat {

namespace {

QImage::Format QtFormat(PixelFormat format) {
    switch (format) {
    case PixelFormat::Bgrx32:
        return QImage::Format_RGB32;
    case PixelFormat::Bgra32:
        return QImage::Format_ARGB32_Premultiplied;
    case PixelFormat::Indexed8:
        return QImage::Format_Indexed8;
    }
    return QImage::Format_Invalid;
}

void SetTable(QImage& image, const PixelBuffer& buffer) {
    if (buffer.Format() != PixelFormat::Indexed8) {
        return;
    }
    QList<QRgb> table;
    table.reserve(256);
    for (const std::uint32_t entry : buffer.Colours()) {
        table.push_back(0xFF000000u | entry);
    }
    image.setColorTable(table);
}

} // namespace

QImage ImageView(PixelBuffer& buffer) {
    if (buffer.Empty()) {
        return {};
    }
    QImage image(buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(), QtFormat(buffer.Format()));
    SetTable(image, buffer);
    return image;
}

QImage ConstImageView(const PixelBuffer& buffer) {
    if (buffer.Empty()) {
        return {};
    }
    QImage image(buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(), QtFormat(buffer.Format()));
    SetTable(image, buffer);
    return image;
}

QImage ToQImage(const PixelBuffer& buffer) {
    return ConstImageView(buffer).copy();
}

PixelBuffer FromQImage(const QImage& image) {
    const bool alpha = image.hasAlphaChannel();
    const QImage converted =
        image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    PixelBuffer buffer(converted.width(), converted.height(),
                       alpha ? PixelFormat::Bgra32 : PixelFormat::Bgrx32);
    if (!buffer.Empty()) {
        buffer.CopyRows(converted.constBits(), converted.bytesPerLine(), RowOrder::TopDown);
    }
    return buffer;
}

} // namespace plat
