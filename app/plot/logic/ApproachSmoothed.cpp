// The smoothing method: zone 2 against its mean, zone 3 against a moving average of the trace
// resampled on a fine grid. Distances in nautical miles.

#include "plot/logic/ApproachAnalysis.h"
#include "plot/logic/ApproachFit.h"

#include "common/modFunctions.h"
#include "platform/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace plot {

namespace {

// Grid points each side of zone 3, and the width of the moving average.
constexpr int kMargin = 98;
// Grid steps beyond which a zone 3 is no zone of an approach (a thousand nautical miles).
constexpr double kMaxGridSteps = 1.0e6;
constexpr float kEndMark = 99999.0F;

struct Grid {
    std::vector<float> d;
    std::vector<float> v;
};

// The trace resampled at 0.001-nmi steps from 98 steps outside point B to 98 steps inside the inner
// end; stops where the samples run out.
Grid Resample(std::span<const float> X, std::span<const float> Y, std::size_t n, double pointB,
              double innerEnd, int& startIndex) {
    Grid grid;
    double span = pointB - innerEnd;
    if (pointB > 2000)
        span /= kFeetPerNmi;
    const double steps = plat::RoundHalfEven(span * 1000);
    if (!(steps >= 1) || steps > kMaxGridSteps)
        return grid;
    const double step = span / steps;
    const double upper = pointB + kMargin * step;
    const double lower = innerEnd - kMargin * step;
    const auto crossesB = [&](std::size_t j) { return X[j - 1] > pointB && pointB >= X[j]; };

    std::size_t j = 1;
    if (crossesB(j))
        startIndex = 1;
    const auto last = static_cast<std::size_t>(steps) + 2 * kMargin - 1;
    for (std::size_t i = 0; i <= last; ++i) {
        const double g = upper - static_cast<double>(i) * step;
        bool ended = false;
        while (g < X[j] || g < lower) {
            if (j + 1 > n - 2) {
                ended = true;
                break;
            }
            ++j;
            if (crossesB(j))
                startIndex = static_cast<int>(j);
        }
        if (ended) {
            grid.d.push_back(kEndMark);
            grid.v.push_back(kEndMark);
            break;
        }
        const double dx = static_cast<double>(X[j]) - X[j - 1];
        const double t = dx == 0 ? 1.0 : (g - X[j - 1]) / dx;
        grid.d.push_back(static_cast<float>(g));
        grid.v.push_back(static_cast<float>(Y[j - 1] + (static_cast<double>(Y[j]) - Y[j - 1]) * t));
    }
    return grid;
}

} // namespace

void BuildZone3Reference(std::span<const float> X, std::span<const float> Y, int& startIndex, RefCurve& curve,
                         float pointB, float innerEnd) {
    curve = RefCurve{};
    startIndex = 0;
    const std::size_t n = std::min(X.size(), Y.size());
    if (n == 0)
        return;
    if (n < 3) {
        curve.X.push_back(0);
        curve.Y.push_back(0);
        return;
    }
    const Grid grid = Resample(X, Y, n, pointB, innerEnd, startIndex);
    const std::size_t w = std::min<std::size_t>(n, kMargin);
    const float lastSample = X[n - 1];
    double sum = 0;
    bool emitting = false;
    for (std::size_t s = 0; s < grid.d.size(); ++s) {
        if (grid.d[s] == kEndMark)
            break;
        if (grid.d[s] < lastSample) {
            if (curve.Count() > 0) {
                curve.X.pop_back();
                curve.Y.pop_back();
            }
            break;
        }
        sum += grid.v[s];
        if (s < w)
            continue;
        sum -= grid.v[s - w];
        const auto at = static_cast<std::size_t>(common::CeilLong(static_cast<double>(s) - w / 2.0));
        const float d = grid.d[at];
        const auto avg = static_cast<float>(sum / static_cast<double>(w));
        if (d < innerEnd)
            break;
        if (!emitting && d <= pointB)
            emitting = true;
        if (emitting) {
            curve.X.push_back(d);
            curve.Y.push_back(std::isfinite(avg) ? avg : 0.0F);
        }
    }
}

Zone3Structure ComputeZone3Structure(RefCurve& ref, float tolerance, float pointB, float innerEnd) {
    const RefCurve samples = ref;
    int start = 0;
    RefCurve curve;
    BuildZone3Reference(samples.X, samples.Y, start, curve, pointB, innerEnd);
    Zone3Structure result;
    const std::size_t count = curve.Count();
    if (count >= 2) {
        std::size_t j = 1;
        for (auto k = static_cast<std::size_t>(start); k < samples.Count(); ++k) {
            const float x = samples.X[k];
            if (x < innerEnd)
                continue;
            while (x < curve.X[j] && j + 1 < count)
                ++j;
            if (x < curve.X[j])
                break;
            const float dx = curve.X[j] - curve.X[j - 1];
            const float t = dx == 0 ? 1.0F : (x - curve.X[j - 1]) / dx;
            const float value = curve.Y[j - 1] + (curve.Y[j] - curve.Y[j - 1]) * t;
            const float dev = std::fabs(samples.Y[k] - value);
            if (dev > result.MaxDev) {
                result.MaxDev = dev;
                result.MaxPos = x;
                result.MaxPct = dev / tolerance * 100.0F;
            }
        }
    }
    ref = std::move(curve);
    return result;
}

void AnalyzeApproachSmoothed(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec,
                             RefCurve& ref) {
    const std::size_t n = std::min(X.size(), Y.size());
    const float pointB = kPointB / kFeetPerNmi;
    const float pointA = 4.0F;
    const float innerEnd = rec.CatIFactor / kFeetPerNmi;
    const CategoryTolerances tol = TolerancesOf(rec.ToleranceCategory);
    rec.Zone2MaxDev = rec.Zone2MaxPct = rec.Zone2MaxPos = 0;

    ref = RefCurve{};
    ref.X.reserve(n);
    ref.Y.reserve(n);
    double sum = 0;
    std::size_t count = 0;
    const auto inZone2 = [&](float d) { return pointB < d && d <= pointA; };
    for (std::size_t i = 0; i < n; ++i) {
        const float d = X[i] / kFeetPerNmi;
        ref.X.push_back(d);
        ref.Y.push_back(Y[i]);
        if (inZone2(d)) {
            sum += Y[i];
            ++count;
        }
    }
    rec.Zone2MeanCDI = count == 0 ? 999.0F : static_cast<float>(sum / static_cast<double>(count));

    for (std::size_t i = 0; i < n; ++i) {
        const float d = ref.X[i];
        if (!inZone2(d))
            continue;
        const float dev = std::fabs(rec.Zone2MeanCDI - Y[i]);
        if (dev > rec.Zone2MaxDev) {
            rec.Zone2MaxDev = dev;
            rec.Zone2MaxPos = d;
            const float allowed = rec.ToleranceCategory == 1
                                      ? 30.0F
                                      : 20.0F + 10.0F * std::fabs(d - pointB) / std::fabs(pointA - pointB);
            rec.Zone2MaxPct = dev / allowed * 100.0F;
        }
    }

    const Zone3Structure z3 = ComputeZone3Structure(ref, tol.Zone3, pointB, innerEnd);
    rec.Zone3MaxDev = z3.MaxDev;
    rec.Zone3MaxPct = z3.MaxPct;
    rec.Zone3MaxPos = z3.MaxPos;
    ClearNonFinite(rec);
}

} // namespace plot
