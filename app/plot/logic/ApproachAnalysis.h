#pragma once

// Glide-path analysis of an approach (flight order, distance to the threshold decreasing, CDI in
// microamps): zone-2 and zone-3 structure, best-fit straight line, RDH, threshold adjustment, mean
// angle and achieved RDH, by the reversal or the smoothing method. Every routine takes any number
// of samples, equal distances and equal values without a division by zero or a read outside its
// arrays; the reference curve is sized by the data.

#include "plot/records/ILSData.h"

#include <span>
#include <vector>

namespace plot {

// Zone boundaries, feet.
inline constexpr float kPointA = 24304.0F; // outer end of zone 2 (4 nmi)
inline constexpr float kPointB = 3500.0F;  // inner end of zone 2, outer end of zone 3
inline constexpr float kARDHOuterEnd = 6000.0F;
inline constexpr float kFeetPerNmi = 6076.0F;

// A reference curve: distances (feet, or nautical miles where said) and CDI.
struct RefCurve {
    std::vector<float> X;
    std::vector<float> Y;

    std::size_t Count() const { return X.size(); }
};

// Reversal method. xScale multiplies every X (2.0 stands for 6076). Fills the reference curve (ft,
// uA) and every result of the method; results it cannot compute read 0.
void AnalyzeApproach(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, RefCurve& ref,
                     float xScale);

// Smoothing method, zones 2 and 3; positions and the reference curve in nautical miles.
void AnalyzeApproachSmoothed(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec,
                             RefCurve& ref);

// The best-fit line over zone 2 (BFSLAngle, ThAdjustHorizS, ThAdjustVertS, MeanAngleS, RDH) and over
// the ARDH window (ARDH). Fewer than two samples at distinct distances give 0.
void ComputeRDH(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, float xScale);
void ComputeARDH(std::span<const float> X, std::span<const float> Y, ILSAnalysisRec& rec, float xScale);

// The smoothing method's zone-3 reference curve from the samples (nmi): the data resampled on a
// grid of about 0.001 nmi, averaged over 98 grid points, cut to pointB..innerEnd. startIndex is the
// first sample at or inside pointB (0 when no sample crosses it). Fewer than 3 samples give the
// single point (0, 0); none give an empty curve.
void BuildZone3Reference(std::span<const float> X, std::span<const float> Y, int& startIndex, RefCurve& curve,
                         float pointB, float innerEnd);

// Zone-3 structure of the smoothing method: the samples in ref (nmi, uA) against their reference
// curve, which then replaces them in ref. A curve of fewer than two points gives 0.
struct Zone3Structure {
    float MaxDev = 0;
    float MaxPct = 0;
    float MaxPos = 0;
};
Zone3Structure ComputeZone3Structure(RefCurve& ref, float tolerance, float pointB, float innerEnd);

} // namespace plot
