#include "platform/draw/PixelBlit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace plat {

namespace {

// True when every index of `source` names the same colour in `target`'s table.
bool IndicesCarryOver(const PixelBuffer& source, const PixelBuffer& target) {
    if (!source.Indexed() || !target.Indexed() || source.TableSize() > target.TableSize()) {
        return false;
    }
    const auto entries = static_cast<std::ptrdiff_t>(source.TableSize());
    return std::equal(source.Colours().begin(), source.Colours().begin() + entries, target.Colours().begin());
}

// One pixel from `source` to `target`, converting between layouts.
void CopyPixel(const PixelBuffer& source, int xs, int ys, PixelBuffer& target, int x, int y, bool indices) {
    if (indices) {
        target.SetIndex(x, y, source.Index(xs, ys));
    } else if (source.Format() == PixelFormat::Bgra32 && target.Format() == PixelFormat::Bgra32) {
        std::copy_n(source.Row(ys) + xs * 4, 4, target.Row(y) + x * 4);
    } else {
        target.SetPixel(x, y, source.Pixel(xs, ys));
    }
}

} // namespace

bool StretchPixels(PixelBuffer& target, int x, int y, int width, int height, const PixelBuffer& source,
                   int xSource, int ySource, int widthSource, int heightSource) {
    if (width == 0 || height == 0 || widthSource == 0 || heightSource == 0) {
        return false;
    }
    // A copy when source and target are the same picture, so that overlapping parts read the old
    // pixels.
    PixelBuffer copy;
    const PixelBuffer* from = &source;
    if (from == &target) {
        copy = source;
        from = &copy;
    }
    const bool indices = IndicesCarryOver(*from, target);
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
    const auto [firstRow, lastRow] = inside(y, height, target.Height());
    const auto [firstColumn, lastColumn] = inside(x, width, target.Width());
    if (from->BitsPerPixel() == 32 && target.BitsPerPixel() == 32) {
        // Whole 32-bit pixels: the source column of each target column is worked out once, and a
        // colour taken into a picture without alpha, or from one, becomes opaque as SetPixel makes it.
        const std::uint32_t opaque =
            from->Format() == PixelFormat::Bgra32 && target.Format() == PixelFormat::Bgra32 ? 0 : 0xFF000000U;
        std::vector<std::pair<int, int>> columns;
        columns.reserve(static_cast<std::size_t>(std::max(lastColumn - firstColumn, 0)));
        for (int i = firstColumn; i < lastColumn; ++i) {
            const int sx = along(xSource, widthSource, sample(i, width, widthSource));
            if (sx >= 0 && sx < from->Width()) {
                columns.emplace_back(along(x, width, i), sx);
            }
        }
        for (int j = firstRow; j < lastRow; ++j) {
            const int sy = along(ySource, heightSource, sample(j, height, heightSource));
            if (sy < 0 || sy >= from->Height()) {
                continue;
            }
            const std::uint8_t* in = from->Row(sy);
            std::uint8_t* out = target.Row(along(y, height, j));
            for (const auto& [tx, sx] : columns) {
                std::uint32_t pixel = 0;
                std::memcpy(&pixel, in + static_cast<std::size_t>(sx) * 4, 4);
                pixel |= opaque;
                std::memcpy(out + static_cast<std::size_t>(tx) * 4, &pixel, 4);
            }
        }
        return true;
    }
    for (int j = firstRow; j < lastRow; ++j) {
        const int ty = along(y, height, j);
        const int sy = along(ySource, heightSource, sample(j, height, heightSource));
        if (sy < 0 || sy >= from->Height()) {
            continue;
        }
        for (int i = firstColumn; i < lastColumn; ++i) {
            const int tx = along(x, width, i);
            const int sx = along(xSource, widthSource, sample(i, width, widthSource));
            if (target.Contains(tx, ty) && from->Contains(sx, sy)) {
                CopyPixel(*from, sx, sy, target, tx, ty, indices);
            }
        }
    }
    return true;
}

} // namespace plat
