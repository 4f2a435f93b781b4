// The reversal method: the zone-3 reference path through half-way points between the CDI's
// reversals (or every two samples), the zone-2 mean and the best-fit line, all in feet.

#include "plot/logic/ApproachAnalysis.h"
#include "plot/logic/ApproachFit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace plot {

namespace {

struct Sample {
    float d = 0;
    float y = 0;
};

enum class Direction { None, Rising, Falling };

// The half-way points of the reference path, closed at the inner end of zone 3.
class ReversalCurve {
public:
    ReversalCurve(Sample first, float innerEnd) : anchor_(first), prev_(first), innerEnd_(innerEnd) {}

    void Add(Sample s, RefCurve& ref) {
        if (closed_)
            return;
        const Sample half{anchor_.d / 2 + prev_.d / 2, anchor_.y / 2 + prev_.y / 2};
        if (s.d <= innerEnd_) {
            // The closing point: the line from the previous sample through the half-way point, at
            // the inner end.
            const float span = half.d - prev_.d;
            const float t = span == 0 ? 0.0F : (innerEnd_ - prev_.d) / span;
            Append(ref, {innerEnd_, prev_.y + (half.y - prev_.y) * t});
            closed_ = true;
            return;
        }
        bool reversal = false;
        if (direction_ == Direction::None)
            direction_ = s.y <= prev_.y ? Direction::Falling : Direction::Rising;
        else
            reversal = (direction_ == Direction::Rising && s.y <= prev_.y) ||
                       (direction_ == Direction::Falling && s.y >= prev_.y);
        ++sinceLast_;
        if (reversal || sinceLast_ >= 2) {
            Append(ref, half);
            anchor_ = prev_;
            sinceLast_ = 0;
            if (reversal)
                direction_ = Direction::None;
        }
        prev_ = s;
    }

private:
    static void Append(RefCurve& ref, Sample p) {
        ref.X.push_back(p.d);
        ref.Y.push_back(std::isfinite(p.y) ? p.y : 0.0F);
    }

    Sample anchor_;
    Sample prev_;
    float innerEnd_;
    Direction direction_ = Direction::None;
    int sinceLast_ = 0;
    bool closed_ = false;
};

float Zone2Tolerance(std::int16_t category, float d) {
    if (category == 1)
        return 30.0F;
    return 20.0F + 10.0F * (d - kPointB) / (kPointA - kPointB);
}

// The reference path as segments, the first running from point B (with the first curve point's
// value) to the first curve point.
class Zone3Path {
public:
    explicit Zone3Path(const RefCurve& ref) {
        if (ref.Count() == 0)
            return;
        points_.push_back({kPointB, ref.Y[0]});
        for (std::size_t k = 0; k < ref.Count(); ++k)
            points_.push_back({ref.X[k], ref.Y[k]});
        descending_ = std::is_sorted(points_.rbegin(), points_.rend() - 1,
                                     [](const Sample& a, const Sample& b) { return a.d < b.d; });
    }

    // Every segment that brackets d, in order, compared with the sample (d, y).
    void Deviation(float d, float y, float tolerance, ILSAnalysisRec& rec) const {
        if (points_.size() < 2)
            return;
        CompareIfBracketed(points_[0], points_[1], d, y, tolerance, rec);
        std::size_t k = 1;
        if (descending_) {
            // Along a curve of falling distance the segments that bracket d are consecutive: from
            // the first whose inner end is at or inside d, while their outer end is at or outside it.
            const auto first = std::partition_point(points_.begin() + 2, points_.end(),
                                                    [d](const Sample& p) { return p.d > d; });
            k = std::max<std::size_t>(1, static_cast<std::size_t>(first - points_.begin()) - 1);
        }
        for (; k + 1 < points_.size(); ++k)
            if (!CompareIfBracketed(points_[k], points_[k + 1], d, y, tolerance, rec) && descending_ &&
                points_[k + 1].d < d)
                return;
    }

private:
    static bool CompareIfBracketed(const Sample& a, const Sample& b, float d, float y, float tolerance,
                                   ILSAnalysisRec& rec) {
        const Sample& lo = b.d <= a.d ? b : a;
        const Sample& hi = b.d <= a.d ? a : b;
        if (!(lo.d <= d && d <= hi.d))
            return false;
        const float span = hi.d - lo.d;
        const float t = span == 0 ? 0.0F : (d - lo.d) / span;
        const float curve = lo.y + (hi.y - lo.y) * t;
        const float dev = std::fabs(y - curve);
        if (dev > rec.Zone3MaxDev) {
            rec.Zone3MaxDev = dev;
            rec.Zone3MaxPos = d;
            const float pct = dev / tolerance * 100.0F;
            rec.Zone3MaxPct = pct > 32768.0F ? 9999.0F : pct;
        }
        return true;
    }

    std::vector<Sample> points_;
    bool descending_ = false;
};

} // namespace

void AnalyzeApproach(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, RefCurve& ref,
                     float xScale) {
    const float scale = DistanceScale(xScale);
    const std::size_t n = std::min(X.size(), Y.size());
    const CategoryTolerances tol = TolerancesOf(rec.ToleranceCategory);
    rec.Zone2MaxDev = rec.Zone2MaxPct = rec.Zone2MaxPos = 0;
    rec.Zone3MaxDev = rec.Zone3MaxPct = rec.Zone3MaxPos = 0;
    rec.Zone2MeanCDI = 0;
    rec.BFSLAngle = rec.ThAdjustHorizR = rec.ThAdjustVertR = rec.MeanAngleR = rec.RDH = rec.ARDH = 0;
    ref = RefCurve{};
    if (n == 0)
        return;
    const auto d = [&](std::size_t i) { return X[i] * scale; };
    const auto inZone2 = [&](float di) { return di >= kPointB && di <= kPointA; };

    double sumY = 0;
    std::size_t zone2 = 0;
    ReversalCurve curve({d(0), Y[0]}, rec.CatIFactor);
    for (std::size_t i = 0; i < n; ++i) {
        if (inZone2(d(i))) {
            sumY += Y[i];
            ++zone2;
        }
        if (i > 0)
            curve.Add({d(i), Y[i]}, ref);
    }
    const float mean = zone2 == 0 ? 0.0F : static_cast<float>(sumY / static_cast<double>(zone2));
    rec.Zone2MeanCDI = std::isfinite(mean) ? mean : 0.0F;

    const Zone3Path path(ref);
    for (std::size_t i = 0; i < n; ++i) {
        const float di = d(i);
        if (inZone2(di)) {
            const float dev = Y[i] - rec.Zone2MeanCDI;
            const float pct = std::fabs(dev) / Zone2Tolerance(rec.ToleranceCategory, di) * 100.0F;
            if (pct > rec.Zone2MaxPct) {
                rec.Zone2MaxDev = dev;
                rec.Zone2MaxPos = di;
                rec.Zone2MaxPct = pct;
            }
        }
        if (di > rec.CatIFactor && di <= kPointB)
            path.Deviation(di, Y[i], tol.Zone3, rec);
    }
    if (zone2 == 0) {
        ClearNonFinite(rec);
        return;
    }
    const PathFit fit = FitPath(X, Y, rec, xScale, kPointB, kPointA);
    rec.BFSLAngle = fit.Angle;
    rec.ThAdjustHorizR = fit.ThAdjustHoriz;
    rec.ThAdjustVertR = fit.ThAdjustVert;
    rec.MeanAngleR = fit.MeanAngle;
    rec.RDH = fit.RDH;
    rec.ARDH = FitPath(X, Y, rec, xScale, rec.CatIFactor, kARDHOuterEnd).RDH;
    ClearNonFinite(rec);
}

} // namespace plot
