// The device context's pixel work: single pixels, flood fill and blits.
#include "platform/draw/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/draw/SystemColours.h"

namespace plat {

namespace {

bool SameTable(const PixelBuffer& a, const PixelBuffer& b) {
    return a.Format() == PixelFormat::Indexed8 && b.Format() == PixelFormat::Indexed8 &&
           a.Colours() == b.Colours();
}

// One pixel from `source` to `target`, converting between layouts.
void CopyPixel(const PixelBuffer& source, int xs, int ys, PixelBuffer& target, int x, int y, bool sameTable) {
    if (sameTable) {
        target.Row(y)[x] = source.Row(ys)[xs];
    } else if (source.Format() == PixelFormat::Bgra32 && target.Format() == PixelFormat::Bgra32) {
        std::copy_n(source.Row(ys) + xs * 4, 4, target.Row(y) + x * 4);
    } else {
        target.SetPixel(x, y, source.Pixel(xs, ys));
    }
}

} // namespace

Colour DeviceContext::SetPixel(int x, int y, Colour colour) {
    const POINT d = LPtoDP({x, y});
    if (!target_->Contains(d.x, d.y)) {
        return CLR_INVALID;
    }
    target_->SetPixel(d.x, d.y, ResolveColour(colour));
    return target_->Pixel(d.x, d.y);
}

Colour DeviceContext::GetPixel(int x, int y) const {
    const POINT d = LPtoDP({x, y});
    if (!target_->Contains(d.x, d.y)) {
        return CLR_INVALID;
    }
    return target_->Pixel(d.x, d.y);
}

bool DeviceContext::ExtFloodFill(int x, int y, Colour colour, unsigned type) {
    const POINT start = LPtoDP({x, y});
    PixelBuffer& buffer = *target_;
    if (!buffer.Contains(start.x, start.y) || Brush().style == BS_NULL) {
        return false;
    }
    const Colour rgb = ResolveColour(colour);
    const bool indexed = buffer.Format() == PixelFormat::Indexed8;
    const std::uint8_t index = indexed ? buffer.NearestIndex(rgb) : 0;
    const auto matches = [&](int px, int py) {
        return indexed ? buffer.Row(py)[px] == index : buffer.Pixel(px, py) == rgb;
    };
    const bool border = type == FLOODFILLBORDER;
    const Colour fill = ResolveColour(Brush().colour);
    const int w = buffer.Width();
    const int h = buffer.Height();
    std::vector<bool> done(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
    const auto open = [&](int px, int py) {
        return !done[static_cast<std::size_t>(py) * w + px] && matches(px, py) != border;
    };
    if (!open(start.x, start.y)) {
        return false;
    }
    // Scan lines: fill a run, then queue the runs above and below it.
    std::vector<POINT> stack{start};
    while (!stack.empty()) {
        const POINT p = stack.back();
        stack.pop_back();
        int px = p.x;
        const int py = p.y;
        if (!open(px, py)) {
            continue;
        }
        while (px > 0 && open(px - 1, py)) {
            --px;
        }
        bool above = false;
        bool below = false;
        for (; px < w && open(px, py); ++px) {
            done[static_cast<std::size_t>(py) * w + px] = true;
            buffer.SetPixel(px, py, fill);
            if (py > 0) {
                const bool o = open(px, py - 1);
                if (o && !above) {
                    stack.push_back({px, py - 1});
                }
                above = o;
            }
            if (py + 1 < h) {
                const bool o = open(px, py + 1);
                if (o && !below) {
                    stack.push_back({px, py + 1});
                }
                below = o;
            }
        }
    }
    return true;
}

// ---- blits ----

bool DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource,
                           int ySource, unsigned rop) {
    return StretchBlt(x, y, width, height, source, xSource, ySource, width, height, rop);
}

bool DeviceContext::StretchBlt(int x, int y, int width, int height, const DeviceContext& source, int xSource,
                               int ySource, int widthSource, int heightSource, unsigned rop) {
    if (rop != SRCCOPY) {
        return false;
    }
    const POINT d0 = LPtoDP({x, y});
    const POINT d1 = LPtoDP({x + width, y + height});
    const POINT s0 = source.LPtoDP({xSource, ySource});
    const POINT s1 = source.LPtoDP({xSource + widthSource, ySource + heightSource});
    const int dw = d1.x - d0.x;
    const int dh = d1.y - d0.y;
    const int sw = s1.x - s0.x;
    const int sh = s1.y - s0.y;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) {
        return false;
    }
    // A copy when source and target are the same picture, so that overlapping parts read the old
    // pixels.
    PixelBuffer copy;
    const PixelBuffer* from = &source.Target();
    if (from == target_) {
        copy = *from;
        from = &copy;
    }
    PixelBuffer& to = *target_;
    const bool sameTable = SameTable(*from, to);
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
    const auto [firstRow, lastRow] = inside(d0.y, dh, to.Height());
    const auto [firstColumn, lastColumn] = inside(d0.x, dw, to.Width());
    for (int j = firstRow; j < lastRow; ++j) {
        const int ty = along(d0.y, dh, j);
        const int sy = along(s0.y, sh, sample(j, dh, sh));
        if (sy < 0 || sy >= from->Height()) {
            continue;
        }
        for (int i = firstColumn; i < lastColumn; ++i) {
            const int tx = along(d0.x, dw, i);
            const int sx = along(s0.x, sw, sample(i, dw, sw));
            if (to.Contains(tx, ty) && from->Contains(sx, sy)) {
                CopyPixel(*from, sx, sy, to, tx, ty, sameTable);
            }
        }
    }
    return true;
}

} // namespace plat
