// The BMP reader on any bytes: it must fail cleanly or give an image of the size its headers name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plat::PixelBuffer image;
    if (imaging::DecodeBmp(std::span<const std::uint8_t>(data, size), image)) {
        // Touch every pixel, so that a layout that disagrees with the memory shows.
        unsigned sum = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                sum += image.Pixel(x, y);
            }
        }
        if (image.Empty() || sum == 0xFFFFFFFFu) {
            std::abort();
        }
    } else if (!image.Empty()) {
        std::abort();
    }
    return 0;
}
