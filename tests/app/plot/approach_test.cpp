// The approach analyses against closed forms: a straight glide path seen from the theodolite, and
// constant traces with spikes of known size and place.

#include "common/Constants.h"
#include "plot/logic/ApproachAnalysis.h"
#include "plot/logic/ApproachResults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace plot;

namespace {

constexpr double kDeg = common::kDegToRad;

struct Trace {
    std::vector<float> X;
    std::vector<float> Y;
};

// Distances from `from` down to `to` (feet) in steps of `step`.
Trace Flat(double from, double to, double step, float cdi) {
    Trace t;
    for (double d = from; d >= to - 1e-9; d -= step) {
        t.X.push_back(static_cast<float>(d));
        t.Y.push_back(cdi);
    }
    return t;
}

ILSAnalysisRec Geometry(float pathAngle, float pathWidth, std::int16_t category) {
    ILSAnalysisRec rec;
    rec.PathAngle = pathAngle;
    rec.PathWidth = pathWidth;
    rec.ToleranceCategory = category;
    return rec;
}

// The CDI of a straight path of angle thetaP through height rdh over the threshold, seen from a
// theodolite at the threshold on the ground.
double StraightPathCDI(double d, double rdh, double thetaP, double width) {
    return (std::atan((rdh + d * std::tan(thetaP * kDeg)) / d) / kDeg - thetaP) * 150.0 / width;
}

Trace StraightPath(double rdh, double thetaP, double width) {
    Trace t = Flat(30380, 500, 100, 0);
    for (std::size_t i = 0; i < t.X.size(); ++i)
        t.Y[i] = static_cast<float>(StraightPathCDI(t.X[i], rdh, thetaP, width));
    return t;
}

// Adds a triangular spike of the given peak and full width at distance at.
void AddSpike(Trace& t, double at, double peak, double width) {
    for (std::size_t i = 0; i < t.X.size(); ++i) {
        const double off = std::fabs(t.X[i] - at);
        if (off < width / 2)
            t.Y[i] += static_cast<float>(peak * (1 - off / (width / 2)));
    }
}

ILSAnalysisRec Analyse(const Trace& t, ILSAnalysisRec rec, std::uint8_t method, RefCurve* curve = nullptr) {
    RefCurve ref;
    RunApproachAnalysis(t.X, t.Y, method, rec, ref);
    if (curve != nullptr)
        *curve = ref;
    return rec;
}

constexpr std::uint8_t kReversal = 0;
constexpr std::uint8_t kSmoothing = 1;

} // namespace

TEST(ApproachAnalysis, StraightPathGivesItsAngleRDHAndThresholdAdjustmentByBothMethods) {
    struct Case {
        double rdh, thetaP, width;
    };
    for (const Case c : {Case{50, 3.0, 0.7}, Case{55, 2.75, 0.6}, Case{40, 3.25, 0.75}})
        for (const std::uint8_t method : {kReversal, kSmoothing}) {
            SCOPED_TRACE(testing::Message()
                         << "RDH " << c.rdh << " angle " << c.thetaP << " method " << int(method));
            const Trace t = StraightPath(c.rdh, c.thetaP, c.width);
            const ILSAnalysisRec r = Analyse(t, Geometry(float(c.thetaP), float(c.width), 1), method);
            const double horiz = c.rdh / std::tan(c.thetaP * kDeg);
            EXPECT_NEAR(r.BFSLAngle, c.thetaP, 1e-5);
            EXPECT_NEAR(r.RDH, c.rdh, 2e-3);
            EXPECT_NEAR(r.ARDH, c.rdh, 2e-3);
            const float h = method == kReversal ? r.ThAdjustHorizR : r.ThAdjustHorizS;
            const float v = method == kReversal ? r.ThAdjustVertR : r.ThAdjustVertS;
            EXPECT_NEAR(h, horiz, 2e-2);
            EXPECT_NEAR(v, c.rdh, 2e-3);

            double sum = 0;
            int m = 0;
            for (float d : t.X)
                if (d >= 3500 && d <= 24304) {
                    sum += std::atan((c.rdh + d * std::tan(c.thetaP * kDeg)) / d) / kDeg;
                    ++m;
                }
            EXPECT_NEAR(method == kReversal ? r.MeanAngleR : r.MeanAngleS, sum / m, 1e-5);
        }
}

TEST(ApproachAnalysis, ThresholdAdjustmentOfFiftyFeetAtThreeDegrees) {
    const ILSAnalysisRec r = Analyse(StraightPath(50, 3.0, 0.7), Geometry(3.0F, 0.7F, 1), kReversal);
    EXPECT_NEAR(r.ThAdjustHorizR, 954.06, 0.01);
    EXPECT_EQ(ApproachResultsLabels(r, kReversal).lblThAdjust, "954.1");
}

TEST(ApproachAnalysis, TheodoliteOnThePathSeesZeroCDI) {
    const double rdh = 50, thetaP = 3.0;
    for (const std::uint8_t method : {kReversal, kSmoothing}) {
        ILSAnalysisRec rec = Geometry(float(thetaP), 0.7F, 1);
        rec.ThY = static_cast<float>(rdh / std::tan(thetaP * kDeg));
        const ILSAnalysisRec r = Analyse(Flat(30380, 500, 100, 0), rec, method);
        EXPECT_NEAR(r.BFSLAngle, thetaP, 1e-5);
        EXPECT_NEAR(r.RDH, rdh, 2e-3);
        EXPECT_NEAR(r.ARDH, rdh, 2e-3);
        EXPECT_NEAR(method == kReversal ? r.ThAdjustHorizR : r.ThAdjustHorizS, 0, 2e-2);
        EXPECT_NEAR(method == kReversal ? r.ThAdjustVertR : r.ThAdjustVertS, 0, 2e-3);
    }
}

TEST(ApproachAnalysis, ConstantCDITiltsTheBestFitLine) {
    for (const float c : {-20.0F, 0.0F, 15.0F})
        for (const std::uint8_t method : {kReversal, kSmoothing}) {
            const ILSAnalysisRec r = Analyse(Flat(30380, 500, 100, c), Geometry(3.0F, 0.7F, 1), method);
            EXPECT_NEAR(r.BFSLAngle, 3.0 + c * 0.7 / 150, 1e-5) << c;
        }
}

TEST(ApproachAnalysis, PathAngleZeroPutsTheTheodoliteOffsetAt9999Feet) {
    // A constant angle a seen from 9999 ft out: the line passes through the theodolite's foot, so
    // RDH = 9999 tan a, whatever ThZ and ThY say.
    const float c = 30;
    ILSAnalysisRec rec = Geometry(0.0F, 0.7F, 1);
    rec.ThZ = 20;
    rec.ThY = 300;
    const ILSAnalysisRec r = Analyse(Flat(30380, 500, 100, c), rec, kReversal);
    EXPECT_NEAR(r.RDH, 9999 * std::tan(c * 0.7 / 150 * kDeg), 1e-2);
}

TEST(ApproachAnalysis, Zone2SpikeIsFoundWithItsPercentOfTheCategoryTolerance) {
    const float base = 4;
    Trace t = Flat(30400, 500, 50, base);
    AddSpike(t, 10000, 24, 600);
    for (const std::int16_t category : {1, 2, 3})
        for (const std::uint8_t method : {kReversal, kSmoothing}) {
            SCOPED_TRACE(testing::Message() << "category " << category << " method " << int(method));
            const ILSAnalysisRec r = Analyse(t, Geometry(3.0F, 0.7F, category), method);
            EXPECT_NEAR(r.Zone2MaxPos, 10000, 0.5);
            // The spike lifts the zone's mean a little: 24 uA over 6 of 417 samples.
            EXPECT_NEAR(std::fabs(r.Zone2MaxDev), 24, 0.5);
            const double tolerance = category == 1 ? 30 : 20 + 10 * (10000 - 3500) / 20804.0;
            EXPECT_NEAR(r.Zone2MaxPct, std::fabs(r.Zone2MaxDev) / tolerance * 100, 0.05);
            EXPECT_NEAR(r.Zone2MeanCDI, base + 24 * 0.5 * 12 / 417.0, 0.2);
        }
}

TEST(ApproachAnalysis, Zone3SpikeIsFoundAtItsPlace) {
    Trace t = Flat(30400, 500, 50, 4);
    AddSpike(t, 2000, 24, 600);
    for (const std::uint8_t method : {kReversal, kSmoothing}) {
        const ILSAnalysisRec r = Analyse(t, Geometry(3.0F, 0.7F, 1), method);
        EXPECT_NEAR(r.Zone3MaxPos, 2000, 0.5) << int(method);
        // The reversal path follows a wide spike part of the way up; the smoothed one hardly.
        EXPECT_GT(r.Zone3MaxDev, method == kReversal ? 2 : 10) << int(method);
        EXPECT_NEAR(r.Zone3MaxPct, r.Zone3MaxDev / 30 * 100, 0.05);
        EXPECT_LT(r.Zone2MaxDev, 0.5);
    }
}

TEST(ApproachAnalysis, Zone3EndsAt1000FeetForCategoryIOnly) {
    Trace t = Flat(30400, 0, 50, 4);
    AddSpike(t, 600, 24, 300);
    for (const std::uint8_t method : {kReversal, kSmoothing}) {
        const ILSAnalysisRec catI = Analyse(t, Geometry(3.0F, 0.7F, 1), method);
        const ILSAnalysisRec catII = Analyse(t, Geometry(3.0F, 0.7F, 2), method);
        EXPECT_EQ(catI.CatIFactor, 1000.0F);
        EXPECT_EQ(catII.CatIFactor, 0.0F);
        EXPECT_LT(catI.Zone3MaxDev, 0.5) << int(method);
        EXPECT_NEAR(catII.Zone3MaxPos, 600, 0.5) << int(method);
        EXPECT_NEAR(catII.Zone3MaxPct, catII.Zone3MaxDev / 20 * 100, 0.05);
    }
}

TEST(ApproachAnalysis, SampleAt3500FeetIsZone2ForTheReversalMethodOnly) {
    Trace t = Flat(30400, 500, 50, 0);
    for (std::size_t i = 0; i < t.X.size(); ++i)
        if (t.X[i] == 3500.0F)
            t.Y[i] = 20;
    const ILSAnalysisRec reversal = Analyse(t, Geometry(3.0F, 0.7F, 1), kReversal);
    const ILSAnalysisRec smoothing = Analyse(t, Geometry(3.0F, 0.7F, 1), kSmoothing);
    EXPECT_EQ(reversal.Zone2MaxPos, 3500.0F);
    EXPECT_NEAR(reversal.Zone2MaxDev, 20 - 20.0 / 417, 0.01);
    EXPECT_LT(smoothing.Zone2MaxDev, 1e-3);
    EXPECT_GT(smoothing.Zone3MaxDev, 5);
}

TEST(ApproachAnalysis, WorstZone2PointIsLargestDeviationForSmoothingAndLargestPercentForReversal) {
    // Category II: 25 uA at 23000 ft is 86 % of 29.4 uA; 20 uA at 4000 ft is 99 % of 20.2 uA.
    Trace t = Flat(30400, 500, 50, 0);
    for (std::size_t i = 0; i < t.X.size(); ++i) {
        if (t.X[i] == 23000.0F)
            t.Y[i] = 25;
        if (t.X[i] == 4000.0F)
            t.Y[i] = -20;
    }
    EXPECT_EQ(Analyse(t, Geometry(3.0F, 0.7F, 2), kSmoothing).Zone2MaxPos, 23000.0F);
    const ILSAnalysisRec reversal = Analyse(t, Geometry(3.0F, 0.7F, 2), kReversal);
    EXPECT_EQ(reversal.Zone2MaxPos, 4000.0F);
    EXPECT_LT(reversal.Zone2MaxDev, 0) << "the reversal method keeps the sign";
}

TEST(ApproachAnalysis, EmptyZone2) {
    const Trace t = Flat(3000, 500, 50, 7);
    const ILSAnalysisRec smoothing = Analyse(t, Geometry(3.0F, 0.7F, 1), kSmoothing);
    EXPECT_EQ(smoothing.Zone2MeanCDI, 999.0F);
    EXPECT_EQ(ApproachResultsLabels(smoothing, kSmoothing).lblZone2, "0.0uA(0%) @0.0nm");
    const ILSAnalysisRec reversal = Analyse(t, Geometry(3.0F, 0.7F, 1), kReversal);
    EXPECT_EQ(reversal.Zone2MeanCDI, 0.0F);
    EXPECT_EQ(reversal.BFSLAngle, 0.0F);
    EXPECT_EQ(reversal.RDH, 0.0F);
}

TEST(ApproachAnalysis, TooFewSamplesShowZeroNotAnEarlierRunsResults) {
    for (const std::uint8_t method : {kReversal, kSmoothing}) {
        ILSAnalysisRec rec = Analyse(StraightPath(50, 3.0, 0.7), Geometry(3.0F, 0.7F, 1), method);
        ASSERT_NE(rec.ARDH, 0.0F);
        Trace one;
        one.X = {5000};
        one.Y = {3};
        rec = Analyse(one, rec, method);
        EXPECT_EQ(rec.BFSLAngle, 0.0F);
        EXPECT_EQ(rec.RDH, 0.0F);
        EXPECT_EQ(rec.ARDH, 0.0F);
        EXPECT_EQ(method == kReversal ? rec.ThAdjustHorizR : rec.ThAdjustHorizS, 0.0F);
    }
}

TEST(ApproachAnalysis, DegenerateTracesGiveFiniteResults) {
    std::vector<Trace> traces;
    for (std::size_t n = 0; n <= 3; ++n)
        traces.push_back(Flat(4000, 4000 - 1000.0 * (static_cast<double>(n) - 1), 1000, 2));
    traces.push_back({{1000, 2000, 3000, 4000, 5000, 25000}, {1, -1, 1, -1, 1, -1}});  // X increasing
    traces.push_back({std::vector<float>(50, 3500.0F), std::vector<float>(50, 5.0F)}); // one distance
    traces.push_back({std::vector<float>(50, 2000.0F), std::vector<float>(50, 0.0F)});
    Trace wide = Flat(30400, 500, 3, 1); // more samples than the program's fixed arrays held
    AddSpike(wide, 2000, 30, 100);
    traces.push_back(wide);
    for (const Trace& t : traces)
        for (const std::uint8_t method : {kReversal, kSmoothing})
            for (const std::int16_t category : {0, 1, 2}) {
                RefCurve curve;
                const ILSAnalysisRec r = Analyse(t, Geometry(3.0F, 0.7F, category), method, &curve);
                for (float v : {r.RDH, r.ARDH, r.BFSLAngle, r.MeanAngleR, r.MeanAngleS, r.ThAdjustHorizR,
                                r.ThAdjustHorizS, r.Zone2MeanCDI, r.Zone2MaxDev, r.Zone2MaxPct, r.Zone3MaxDev,
                                r.Zone3MaxPct, r.Zone3MaxPos})
                    EXPECT_TRUE(std::isfinite(v)) << t.X.size();
                EXPECT_EQ(curve.X.size(), curve.Y.size());
            }
}

TEST(ApproachAnalysis, ReferenceCurveCoversZone3InFeet) {
    Trace t = Flat(30400, 500, 50, 4);
    for (const std::uint8_t method : {kReversal, kSmoothing}) {
        RefCurve curve;
        Analyse(t, Geometry(3.0F, 0.7F, 1), method, &curve);
        ASSERT_GE(curve.Count(), 2U) << int(method);
        for (std::size_t k = 0; k < curve.Count(); ++k)
            EXPECT_NEAR(curve.Y[k], 4, 1e-4);
        EXPECT_NEAR(curve.X.back(), 1000, 10) << int(method);
        if (method == kSmoothing) {
            EXPECT_LE(curve.X.front(), 3500.0F);
            EXPECT_GE(curve.X.front(), 3490.0F);
        }
    }
}

TEST(Zone3Reference, FewerThanThreeSamplesGiveOnePointAndNoStructure) {
    int start = -1;
    RefCurve curve;
    const std::vector<float> x{1.0F, 0.5F}, y{3, 40};
    BuildZone3Reference(x, y, start, curve, kPointB / kFeetPerNmi, 1000 / kFeetPerNmi);
    ASSERT_EQ(curve.Count(), 1U);
    EXPECT_EQ(curve.X[0], 0.0F);
    RefCurve ref{x, y};
    const Zone3Structure z = ComputeZone3Structure(ref, 30, kPointB / kFeetPerNmi, 1000 / kFeetPerNmi);
    EXPECT_EQ(z.MaxDev, 0.0F);
    EXPECT_EQ(z.MaxPos, 0.0F);
    BuildZone3Reference({}, {}, start, curve, kPointB / kFeetPerNmi, 0);
    EXPECT_EQ(curve.Count(), 0U);
}

TEST(Zone3Reference, StartIndexIsTheFirstSampleAtOrInsidePointB) {
    const Trace t = Flat(30400, 500, 50, 1);
    std::vector<float> nmi;
    for (float d : t.X)
        nmi.push_back(d / kFeetPerNmi);
    int start = 0;
    RefCurve curve;
    BuildZone3Reference(nmi, t.Y, start, curve, kPointB / kFeetPerNmi, 1000 / kFeetPerNmi);
    ASSERT_GT(start, 0);
    EXPECT_EQ(t.X[static_cast<std::size_t>(start)], 3500.0F);
}

TEST(ApproachResults, LabelsAndAnnotationInTheirFormats) {
    ILSAnalysisRec r;
    r.MeanAngleS = 3.014F;
    r.MeanAngleR = 2.996F;
    r.BFSLAngle = 2.987F;
    r.RDH = 51.26F;
    r.ARDH = 49.94F;
    r.ThAdjustHorizS = 954.06F;
    r.ThAdjustVertS = 50.0F;
    r.ThAdjustHorizR = -12.34F;
    r.ThAdjustVertR = -0.66F;
    r.Zone2MaxDev = -12.345F;
    r.Zone2MaxPct = 41.15F;
    r.Zone2MaxPos = 10000;
    r.Zone3MaxDev = 3.0F;
    r.Zone3MaxPct = 10.0F;
    r.Zone3MaxPos = 2000;
    r.ToleranceCategory = 2;

    const ResultsLabels s = ApproachResultsLabels(r, kSmoothing);
    EXPECT_EQ(s.lblAngle, "3.01");
    EXPECT_EQ(s.lblAveAng, "3.01");
    EXPECT_EQ(s.lblBFSL, "2.99");
    EXPECT_EQ(s.lblRDH, "51.3");
    EXPECT_EQ(s.lblThAdjust, "954.1");
    EXPECT_EQ(s.lblThVAdjust, "50.0");
    EXPECT_EQ(s.lblARDH, "49.9");
    EXPECT_EQ(s.lblZone2, "-12.3uA(41%) @1.65nm");
    EXPECT_EQ(s.lblZone3, "3.0uA(10%) @0.33nm");
    // The reversal method's labels show its own angle, never the smoothing method's.
    const ResultsLabels rv = ApproachResultsLabels(r, kReversal);
    EXPECT_EQ(rv.lblAngle, "3.00");
    EXPECT_EQ(rv.lblAveAng, "3.00");
    EXPECT_EQ(rv.lblThAdjust, "-12.3");
    EXPECT_EQ(rv.lblThVAdjust, "-0.7");

    const ApproachAnnotation feet = ApproachAnnotationTexts(r, kSmoothing, 0);
    EXPECT_EQ(feet.Lines[0], "Category II Tolerances");
    EXPECT_EQ(feet.Lines[1], "Path Angle = 3.01");
    EXPECT_EQ(feet.Lines[2], "Zone 2 = -12.3uA(41%) at 10000.00");
    EXPECT_EQ(feet.Lines[3], "Zone 3 = 3.0uA(10%) at 2000.00");
    EXPECT_EQ(feet.Y0, 1.4F);
    const ApproachAnnotation nmi = ApproachAnnotationTexts(r, kSmoothing, 1);
    EXPECT_EQ(nmi.Lines[2], "Zone 2 = -12.3uA(41%) at 1.65");
    r.MeanAngleS = 3.0F;
    r.ToleranceCategory = 3;
    EXPECT_EQ(ApproachAnnotationTexts(r, kSmoothing, 0).Y0, 6.5F);
    EXPECT_EQ(ApproachAnnotationTexts(r, kSmoothing, 0).Lines[0], "Category III Tolerances");
    // The reversal method's angle is written and places the text.
    r.MeanAngleR = 3.25F;
    const ApproachAnnotation reversal = ApproachAnnotationTexts(r, kReversal, 0);
    EXPECT_EQ(reversal.Lines[1], "Path Angle = 3.25");
    EXPECT_EQ(reversal.Y0, 1.4F);
}
