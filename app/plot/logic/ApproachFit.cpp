#include "plot/logic/ApproachFit.h"

#include "common/Constants.h"
#include "plot/logic/ApproachAnalysis.h"

#include <cmath>
#include <cstddef>

namespace plot {

namespace {

// The along-track distance from the threshold to the theodolite's view of it.
double TheodoliteOffset(const ILSAnalysisRec& rec) {
    const double t = std::tan(common::kDegToRad * rec.PathAngle);
    return t == 0 ? 9999.0 : rec.ThZ / t + rec.ThY;
}

double ElevationOfCDI(const ILSAnalysisRec& rec, double cdi) {
    return cdi * rec.PathWidth / 150.0 + rec.PathAngle;
}

float Finite(double v) {
    const auto f = static_cast<float>(v);
    return std::isfinite(f) ? f : 0.0F;
}

} // namespace

void ClearNonFinite(ILSAnalysisRec& rec) {
    for (float* f :
         {&rec.RDH, &rec.ARDH, &rec.ThAdjustHorizS, &rec.ThAdjustVertS, &rec.MeanAngleS, &rec.Zone2MeanCDI,
          &rec.BFSLAngle, &rec.ThAdjustHorizR, &rec.ThAdjustVertR, &rec.MeanAngleR, &rec.Zone2MaxDev,
          &rec.Zone2MaxPct, &rec.Zone2MaxPos, &rec.Zone3MaxDev, &rec.Zone3MaxPct, &rec.Zone3MaxPos})
        if (!std::isfinite(*f))
            *f = 0;
}

float DistanceScale(float xScale) {
    return xScale == 2.0F ? kFeetPerNmi : xScale;
}

PathFit FitPath(std::span<const float> X, std::span<const float> Y, const ILSAnalysisRec& rec, float xScale,
                float lo, float hi) {
    const float scale = DistanceScale(xScale);
    const double off = TheodoliteOffset(rec);
    const std::size_t n = std::min(X.size(), Y.size());
    const auto inWindow = [&](std::size_t i) {
        const float d = X[i] * scale;
        return d >= lo && d <= hi;
    };

    double sumU = 0;
    std::size_t m = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (inWindow(i)) {
            sumU += X[i] * scale + off;
            ++m;
        }
    PathFit fit;
    if (m < 2)
        return fit;
    const double meanU = sumU / static_cast<double>(m);

    double sumA = 0, sumR = 0, sumH = 0, sumUH = 0, sumUU = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!inWindow(i))
            continue;
        const double a = ElevationOfCDI(rec, Y[i]);
        const double u = X[i] * scale + off;
        const double r = std::sqrt(static_cast<double>(rec.ThX) * rec.ThX + u * u);
        const double h = r * std::tan(common::kDegToRad * a);
        sumA += a;
        sumR += r;
        sumH += h;
        sumUH += (u - meanU) * h;
        sumUU += (u - meanU) * (u - meanU);
    }
    if (sumUU == 0 || !std::isfinite(sumUU) || !std::isfinite(sumUH))
        return fit;
    const double count = static_cast<double>(m);
    const double s = sumUH / sumUU;
    fit.Fitted = true;
    fit.Angle = Finite(std::atan(s) / common::kDegToRad);
    fit.MeanAngle = Finite(sumA / count);
    if (sumUH != 0) {
        const double x0 = (sumH / count) / s - sumR / count;
        fit.ThAdjustHoriz = Finite(x0);
        fit.ThAdjustVert = Finite(x0 * std::tan(fit.Angle * common::kDegToRad));
        fit.RDH = Finite(s * (off + x0));
    }
    return fit;
}

void ComputeRDH(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, float xScale) {
    const PathFit fit = FitPath(X, Y, rec, xScale, kPointB, kPointA);
    rec.BFSLAngle = fit.Angle;
    rec.ThAdjustHorizS = fit.ThAdjustHoriz;
    rec.ThAdjustVertS = fit.ThAdjustVert;
    rec.MeanAngleS = fit.MeanAngle;
    rec.RDH = fit.RDH;
}

void ComputeARDH(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, float xScale) {
    rec.ARDH = FitPath(X, Y, rec, xScale, rec.CatIFactor, kARDHOuterEnd).RDH;
}

} // namespace plot
