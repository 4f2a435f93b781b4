#include "platform/draw/ImageFile.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include "platform/draw/ImageView.h"
#include "platform/text/RegularFile.h"

namespace plat {

namespace {

// The decoded image may take four bytes a pixel (32-bit formats); Qt's limit is in megabytes.
int AllocationLimitMegabytes(long long maxPixels) {
    constexpr long long kMegabyte = 1024LL * 1024;
    return static_cast<int>((maxPixels * 4 + kMegabyte - 1) / kMegabyte);
}

} // namespace

ImageFileRead ReadImageFile(const std::string& file, long long maxPixels, const std::vector<std::string>& formats) {
    ImageFileRead result;
    const std::string unreadable = file + " cannot be read as an image.";
    std::string reason;
    const int fd = OpenRegularFile(file, reason);
    if (fd < 0) {
        result.problem = unreadable;
        return result;
    }
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        result.problem = unreadable;
        return result;
    }
    QImageReader::setAllocationLimit(AllocationLimitMegabytes(maxPixels));
    QImageReader reader(&device);
    const std::string format = reader.format().toStdString();
    if (std::find(formats.begin(), formats.end(), format) == formats.end()) {
        result.problem = unreadable;
        return result;
    }
    const std::string tooLarge = file + " is larger than " + std::to_string(maxPixels) + " pixels.";
    const auto above = [&](const QSize& size) {
        return static_cast<long long>(size.width()) * size.height() > maxPixels;
    };
    // The header's size refuses a large image before any of it is decoded.
    if (reader.size().isValid() && above(reader.size())) {
        result.problem = tooLarge;
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.problem = unreadable;
        return result;
    }
    if (above(image.size())) {
        result.problem = tooLarge;
        return result;
    }
    result.image = FromQImage(image.convertToFormat(QImage::Format_RGB32));
    return result;
}

} // namespace plat
