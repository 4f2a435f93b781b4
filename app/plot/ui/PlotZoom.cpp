#include "plot/ui/PlotZoom.h"

#include "common/modFunctions.h"
#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>

namespace plotzoom {

void ApplyZoom(plot::PlotSettings& s, const BoxScale& box, double xa, double ya, double xb, double yb) {
    const double x1 = std::min(xa, xb), x2 = std::max(xa, xb);
    const double y1 = std::min(ya, yb), y2 = std::max(ya, yb);
    // The plot area: one inch in from the page's sides.
    const double xl = box.left + box.width / 11, xr = box.left + 10 * box.width / 11;
    const double yt = box.top + box.height / 8.5, yb2 = box.top + 7.5 * box.height / 8.5;
    const double xMin = s.PlotXMin, xMax = s.PlotXMax, yMin = s.PlotYMin, yMax = s.PlotYMax;
    auto vx = [&](double x) { return static_cast<float>(xMin + (x - xl) / (xr - xl) * (xMax - xMin)); };
    auto vy = [&](double y) { return static_cast<float>(yMax - (y - yt) / (yb2 - yt) * (yMax - yMin)); };
    s.PlotXMin = vx(x1);
    s.PlotXMax = vx(x2);
    s.PlotXTics = 5;
    s.PlotXDir = s.PlotXMax <= s.PlotXMin ? -1 : 1;
    s.PlotYMax = vy(y1);
    s.PlotYMin = vy(y2);
    s.PlotYTics = 5;
    s.PlotYDir = s.PlotYMax <= s.PlotYMin ? -1 : 1;
    s.PlotAxisMode = 5;
}

PolarReadOut PolarReadOutAt(double px, double py, const plot::PlotSettings& s) {
    const double dx = px - 4.0, dy = py - 4.25;
    const double r = std::sqrt(dx * dx + dy * dy);
    PolarReadOut out;
    if (r < 0.7)
        return out;
    if (r > 3.5) {
        out.kind = PolarReadOut::Kind::Hide;
        return out;
    }
    const auto value = static_cast<float>((r - 0.7) / 2.8 * (s.PlotYMax - s.PlotYMin) + s.PlotYMin);
    const auto angle = static_cast<float>(common::Atan2Pos(-dy, dx) * 57.29577952383886);
    out.kind = PolarReadOut::Kind::Show;
    out.caption = plat::GeneralText(value) + "," + plat::GeneralText(angle) + "\xB0";
    out.leftPixels = (px + 0.1) * 719 / 11;
    out.topPixels = (py - 0.1) * 555 / 8.5;
    return out;
}

} // namespace plotzoom
