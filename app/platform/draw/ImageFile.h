#ifndef PLATFORM_DRAW_IMAGEFILE_H
#define PLATFORM_DRAW_IMAGEFILE_H

// Pictures read from files through Qt's readers, within the program's own limit of pixels: Qt's
// allocation limit is set to admit every image that limit admits, and a refusal says why.

#include <optional>
#include <string>
#include <vector>

#include "platform/draw/PixelBuffer.h"

namespace plat {

struct ImageFileRead {
    std::optional<PixelBuffer> image; // 32 bits a pixel
    std::string problem;              // why there is none: "<file> is larger than N pixels.", ...
};

// The image in the file when its format (decided from its content, Qt's names such as "bmp", "gif",
// "jpeg") is one of formats and it has at most maxPixels pixels. The file is opened only when it
// is a regular file (a FIFO or a device is refused at once). Otherwise no image and the reason:
// "<file> is larger than <maxPixels> pixels." or "<file> cannot be read as an image."
ImageFileRead ReadImageFile(const std::string& file, long long maxPixels, const std::vector<std::string>& formats);

} // namespace plat

#endif
