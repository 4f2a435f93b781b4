#pragma once

// The approach analysis as the plot window runs it, and the texts it shows: the results window's
// labels and the level-2 annotation on the plot.

#include "plot/logic/ApproachAnalysis.h"
#include "plot/records/PlotSettings.h"

#include <array>
#include <span>
#include <string>

namespace plot {

// Sets CatIFactor from the category, runs the method UseOldZ3Calc chooses (with ComputeRDH and
// ComputeARDH for the smoothing method) and leaves positions and the reference curve in feet.
void RunApproachAnalysis(std::span<const float> X, std::span<const float> Y, std::uint8_t useOldZ3Calc,
                         ILSAnalysisRec& rec, RefCurve& ref);

// The mean path angle over zone 2 of the method useOldZ3Calc chooses, which each method keeps in
// its own field.
float MeanAngleOf(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc);

// The value labels of frmResults.
struct ResultsLabels {
    std::string lblAngle;
    std::string lblAveAng;
    std::string lblBFSL;
    std::string lblRDH;
    std::string lblThAdjust;
    std::string lblThVAdjust;
    std::string lblARDH;
    std::string lblZone2;
    std::string lblZone3;
};
ResultsLabels ApproachResultsLabels(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc);

// The four lines written on an approach plot at annotation level 2, top to bottom, and the page
// height (inches) of the second, placed by the path angle of the method in force; the first stands
// 0.3 in above it, the others 0.3 and 0.6 below.
struct ApproachAnnotation {
    std::array<std::string, 4> Lines;
    float Y0 = 0;
};
ApproachAnnotation ApproachAnnotationTexts(const ILSAnalysisRec& rec, std::uint8_t useOldZ3Calc,
                                           std::uint8_t plotXUnit);

} // namespace plot
