#pragma once

// Inputs and results of the approach analysis. The model holds the one instance; the plot window
// copies the path and theodolite geometry in when it loads.

#include <cstdint>

namespace plot {

struct ILSAnalysisRec {
    float CatIFactor = 1000.0F;         // inner end of zone 3: 1000 ft for category I, else 0
    float PathAngle = 0;                // degrees
    float PathWidth = 0;                // degrees per 150 uA
    float ThX = 0;                      // theodolite lateral offset, ft
    float ThZ = 0;                      // theodolite height, ft
    float ThY = 0;                      // theodolite along-track position, ft
    std::int16_t ToleranceCategory = 1; // 1, 2 or 3 (I, II, III)
    float RDH = 0;                      // reference datum height, ft
    float ARDH = 0;                     // achieved reference datum height, ft
    float ThAdjustHorizS = 0;           // threshold adjustment of the smoothing method, ft
    float ThAdjustVertS = 0;
    float MeanAngleS = 0;     // mean angle over zone 2, degrees (smoothing method)
    float Zone2MeanCDI = 0;   // uA
    float BFSLAngle = 0;      // degrees
    float ThAdjustHorizR = 0; // threshold adjustment of the reversal method, ft
    float ThAdjustVertR = 0;
    float MeanAngleR = 0;  // mean angle over zone 2, degrees (reversal method)
    float Zone2MaxDev = 0; // uA at the worst point
    float Zone2MaxPct = 0; // percent of the tolerance there
    float Zone2MaxPos = 0; // distance of that point, ft after the analysis
    float Zone3MaxDev = 0;
    float Zone3MaxPct = 0;
    float Zone3MaxPos = 0;

    bool operator==(const ILSAnalysisRec&) const = default;
};

// The tolerances of a category: zone 2's at point A (zone 3's constant one, and zone 2's at point B
// for categories II and III) and the inner end of zone 3.
struct CategoryTolerances {
    float Zone2 = 30.0F;      // uA
    float Zone3 = 30.0F;      // uA
    float InnerEnd = 1000.0F; // ft
};
CategoryTolerances TolerancesOf(std::int16_t toleranceCategory);

} // namespace plot
