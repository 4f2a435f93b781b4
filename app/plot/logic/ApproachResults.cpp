#include "plot/logic/ApproachResults.h"

#include "platform/text/Strings.h"

#include <cmath>

namespace plot {

namespace {

// Format that never throws: an overflowed value reads as 0.
std::string Fmt(float value, std::string_view pattern) {
    return plat::Format(std::isfinite(value) ? value : 0.0F, pattern);
}

std::string ZoneLabel(float dev, float pct, float pos) {
    return Fmt(dev, "#0.0") + "uA(" + Fmt(pct, "##0") + "%) @" + Fmt(pos / kFeetPerNmi, "#0.0#") + "nm";
}

std::string ZoneAnnotation(const char* zone, float dev, float pct, float pos, float unit) {
    return std::string(zone) + Fmt(dev, "##0.0") + "uA(" + Fmt(pct, "###0") + "%) at " +
           Fmt(pos * unit, "####0.00");
}

constexpr std::array<const char*, 4> kCategoryNames{"0", "I", "II", "III"};

} // namespace

void RunApproachAnalysis(std::span<const float> X, std::span<const float> Y, std::uint8_t useOldZ3Calc,
                         ILSAnalysisRec& rec, RefCurve& ref) {
    rec.CatIFactor = TolerancesOf(rec.ToleranceCategory).InnerEnd;
    if (useOldZ3Calc == 0) {
        AnalyzeApproach(X, Y, rec, ref, 1.0F);
        return;
    }
    AnalyzeApproachSmoothed(X, Y, rec, ref);
    ComputeRDH(X, Y, rec, 1.0F);
    for (float& x : ref.X)
        x *= kFeetPerNmi;
    rec.Zone2MaxPos *= kFeetPerNmi;
    rec.Zone3MaxPos *= kFeetPerNmi;
    ComputeARDH(X, Y, rec, 1.0F);
}

float MeanAngleOf(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc) {
    return useOldZ3Calc != 0 ? rec.MeanAngleS : rec.MeanAngleR;
}

ResultsLabels ApproachResultsLabels(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc) {
    const bool smoothing = useOldZ3Calc != 0;
    ResultsLabels l;
    l.lblAngle = Fmt(MeanAngleOf(rec, useOldZ3Calc), "##0.00");
    l.lblAveAng = l.lblAngle;
    l.lblBFSL = Fmt(rec.BFSLAngle, "##0.00");
    l.lblRDH = Fmt(rec.RDH, "##0.0");
    l.lblThAdjust = Fmt(smoothing ? rec.ThAdjustHorizS : rec.ThAdjustHorizR, "####0.0");
    l.lblThVAdjust = Fmt(smoothing ? rec.ThAdjustVertS : rec.ThAdjustVertR, "####0.0");
    l.lblARDH = Fmt(rec.ARDH, "##0.0");
    l.lblZone2 = ZoneLabel(rec.Zone2MaxDev, rec.Zone2MaxPct, rec.Zone2MaxPos);
    l.lblZone3 = ZoneLabel(rec.Zone3MaxDev, rec.Zone3MaxPct, rec.Zone3MaxPos);
    return l;
}

ApproachAnnotation ApproachAnnotationTexts(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc,
                                           std::uint8_t plotXUnit) {
    const float angle = MeanAngleOf(rec, useOldZ3Calc);
    const float unit = plotXUnit == 1 ? 1.0F / kFeetPerNmi : 1.0F;
    const std::size_t category = rec.ToleranceCategory >= 0 && rec.ToleranceCategory <= 3
                                     ? static_cast<std::size_t>(rec.ToleranceCategory)
                                     : 0;
    ApproachAnnotation a;
    a.Lines[0] = std::string("Category ") + kCategoryNames[category] + " Tolerances";
    a.Lines[1] = "Path Angle = " + Fmt(angle, "##0.00");
    a.Lines[2] = ZoneAnnotation("Zone 2 = ", rec.Zone2MaxDev, rec.Zone2MaxPct, rec.Zone2MaxPos, unit);
    a.Lines[3] = ZoneAnnotation("Zone 3 = ", rec.Zone3MaxDev, rec.Zone3MaxPct, rec.Zone3MaxPos, unit);
    a.Y0 = angle > 3.0F ? 1.4F : 6.5F;
    return a;
}

} // namespace plot
