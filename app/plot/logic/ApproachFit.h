#pragma once

// The best-fit straight line of the glide path over a window of distances, shared by both methods.

#include "plot/records/ILSData.h"

#include <span>

namespace plot {

struct PathFit {
    bool Fitted = false; // two or more samples at distinct distances
    float Angle = 0;     // BFSL angle, degrees
    float ThAdjustHoriz = 0;
    float ThAdjustVert = 0;
    float MeanAngle = 0;
    float RDH = 0;
};

// The fit over the samples with lo <= X * xScale <= hi; xScale 2.0 stands for 6076.
PathFit FitPath(std::span<const float> X, std::span<const float> Y, const ILSAnalysisRec& rec, float xScale,
                float lo, float hi);

// Results that overflowed read 0, never infinity or NaN.
void ClearNonFinite(ILSAnalysisRec& rec);

// The multiplier xScale stands for.
float DistanceScale(float xScale);

} // namespace plot
