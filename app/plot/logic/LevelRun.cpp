#include "plot/logic/LevelRun.h"

#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace plot {

namespace {

constexpr float kWindowLow = 1.5F;
constexpr float kWindowHigh = 5.0F;
constexpr std::size_t kMaxCrossings = 100;
constexpr float kPairLimit = 10.0F;

// A falling crossing: the sample at or past the level and the last sample inside the window
// before it, between which the angle is interpolated.
struct Crossing {
    std::size_t k = 0;
    std::size_t before = 0;
};

void Record(std::vector<Crossing>& list, Crossing c) {
    if (list.size() < kMaxCrossings)
        list.push_back(c);
}

float Interpolate(std::span<const float> x, std::span<const float> y, Crossing c, float level) {
    const double dy = static_cast<double>(y[c.k]) - y[c.before];
    const double t = dy == 0 ? 1.0 : (level - static_cast<double>(y[c.before])) / dy;
    const auto angle = static_cast<float>((static_cast<double>(x[c.k]) - x[c.before]) * t + x[c.before]);
    return std::isfinite(angle) ? angle : kNotFound;
}

std::string Fmt(float value, std::string_view pattern) {
    return plat::Format(std::isfinite(value) ? value : 0.0F, pattern);
}

} // namespace

LevelRunResult PatternBAnalysis(std::span<const float> x, std::span<const float> y) {
    LevelRunResult r;
    const std::size_t n = std::min(x.size(), y.size());
    if (n == 0)
        return r;
    std::vector<Crossing> p75, m75, zero;
    float prev = y[0];
    std::size_t before = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (!(x[i] >= kWindowLow && x[i] <= kWindowHigh))
            continue;
        const Crossing c{i, before};
        if (prev > 75 && y[i] <= 75)
            Record(p75, c);
        if (prev > -75 && y[i] <= -75)
            Record(m75, c);
        if (prev > 0 && y[i] <= 0)
            Record(zero, c);
        if (prev > 180 && y[i] <= 180)
            r.LevelRun180Angle = x[i];
        prev = y[i];
        before = i;
    }

    std::optional<std::pair<Crossing, Crossing>> pair;
    for (const Crossing& p : p75)
        for (const Crossing& m : m75)
            if (std::fabs(x[m.k] - x[p.k]) <= kPairLimit)
                pair = {p, m};
    if (!pair)
        return r;
    const auto [p, m] = *pair;
    std::optional<Crossing> path;
    for (const Crossing& z : zero)
        if (x[p.k] < x[z.k] && x[z.k] < x[m.k])
            path = z;

    r.LevelRunAngleP75 = Interpolate(x, y, p, 75);
    r.LevelRunAngleM75 = Interpolate(x, y, m, -75);
    if (path)
        r.LevelRunPathAngle = Interpolate(x, y, *path, 0);
    if (r.LevelRunAngleP75 == kNotFound || r.LevelRunAngleM75 == kNotFound) {
        r.LevelRunWidth = kNotFound;
        return r;
    }
    r.LevelRunWidth = std::fabs(r.LevelRunAngleP75 - r.LevelRunAngleM75);
    if (!std::isfinite(r.LevelRunWidth)) {
        r.LevelRunWidth = kNotFound;
        return r;
    }
    if (path && r.LevelRunWidth != 0 && r.LevelRunPathAngle != kNotFound) {
        const double symmetry = std::floor((static_cast<double>(r.LevelRunAngleM75) - r.LevelRunPathAngle) /
                                           r.LevelRunWidth * 100.0);
        if (std::isfinite(symmetry) && std::fabs(symmetry) < 1e9)
            r.LevelRunSymmetry = static_cast<float>(symmetry);
    }
    return r;
}

std::array<std::string, 4> LevelRunAnnotationTexts(const LevelRunResult& r) {
    return {"Path Angle = " + Fmt(r.LevelRunPathAngle, "##0.00"), "Width = " + Fmt(r.LevelRunWidth, "##0.00"),
            "Symmetry = " + Fmt(r.LevelRunSymmetry, "##0") + "%",
            "Structure = " + Fmt(r.LevelRun180Angle, "##0.00")};
}

} // namespace plot
