// The device context's pixel work: single pixels, flood fill and blits.
#include "platform/draw/DeviceContext.h"

#include <vector>

#include "platform/draw/PixelBlit.h"
#include "platform/draw/SystemColours.h"

namespace plat {

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
    const bool indexed = buffer.Indexed();
    const std::uint8_t index = indexed ? buffer.NearestIndex(rgb) : 0;
    const auto matches = [&](int px, int py) {
        return indexed ? buffer.Index(px, py) == index : buffer.Pixel(px, py) == rgb;
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
    return StretchPixels(*target_, d0.x, d0.y, d1.x - d0.x, d1.y - d0.y, source.Target(), s0.x, s0.y,
                         s1.x - s0.x, s1.y - s0.y);
}

} // namespace plat
