#include "platform/draw/ImageView.h"

#include <QList>

#include "platform/draw/PixelBlit.h"

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
    case PixelFormat::Indexed1:
        return QImage::Format_Mono;
    case PixelFormat::Bgr555:
        return QImage::Format_RGB555;
    case PixelFormat::Bgr24:
        return QImage::Format_BGR888;
    case PixelFormat::Indexed4:
        break;
    }
    return QImage::Format_Invalid;
}

void SetTable(QImage& image, const PixelBuffer& buffer) {
    if (!buffer.Indexed()) {
        return;
    }
    QList<QRgb> table;
    table.reserve(buffer.TableSize());
    for (int i = 0; i < buffer.TableSize(); ++i) {
        table.push_back(0xFF000000u | buffer.Colours()[static_cast<std::size_t>(i)]);
    }
    image.setColorTable(table);
}

} // namespace

QImage ImageView(PixelBuffer& buffer) {
    if (buffer.Empty() || QtFormat(buffer.Format()) == QImage::Format_Invalid) {
        return {};
    }
    QImage image(buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(), QtFormat(buffer.Format()));
    SetTable(image, buffer);
    return image;
}

QImage ConstImageView(const PixelBuffer& buffer) {
    if (buffer.Empty() || QtFormat(buffer.Format()) == QImage::Format_Invalid) {
        return {};
    }
    QImage image(buffer.Bits(), buffer.Width(), buffer.Height(), buffer.Stride(), QtFormat(buffer.Format()));
    SetTable(image, buffer);
    return image;
}

QImage ToQImage(const PixelBuffer& buffer) {
    if (!buffer.Empty() && QtFormat(buffer.Format()) == QImage::Format_Invalid) {
        PixelBuffer converted(buffer.Width(), buffer.Height(), PixelFormat::Bgrx32);
        StretchPixels(converted, 0, 0, buffer.Width(), buffer.Height(), buffer, 0, 0, buffer.Width(),
                      buffer.Height());
        return ConstImageView(converted).copy();
    }
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
