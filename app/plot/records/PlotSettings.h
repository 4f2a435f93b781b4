#pragma once

// The plot window's settings: axis unit and modes, analysis switches, directions, limits, tics,
// runway size and title. The model holds one; start-up and the flight set-up give it its values.

#include <cstdint>
#include <string>

namespace plot {

struct PlotSettings {
    std::uint8_t PlotXUnit = 0;     // 0 feet, 1 nautical miles, 2 degrees
    std::uint8_t PlotAxisMode = 10; // X mode in bits 1 and 2, Y mode in bits 4 and 8
    std::uint8_t ShowAnalysis = 1;  // 1 runs the approach or level-run analysis on a CDI plot
    std::uint8_t UseOldZ3Calc = 1;  // 0 the reversal method, otherwise the smoothing method
    std::uint8_t UseCDIFilter = 0;  // 1 smooths the trace as a receiver would
    std::int16_t PlotYDir = 1;      // 1 when PlotYMax > PlotYMin, else -1
    std::int16_t PlotXDir = 1;      // 1 when PlotXMax > PlotXMin, else -1
    float PlotYMax = 0;             // value at the top
    float PlotYMin = 0;             // value at the bottom
    float PlotYTics = 0;
    float RunwayLength = 10000.0F; // feet
    float RunwayWidth = 150.0F;    // feet
    float PlotXMax = 0;            // value at the right end
    float PlotXMin = 0;            // value at the left end
    float PlotXTics = 0;
    std::string PlotLabel; // the title; empty gives the run type's title

    bool operator==(const PlotSettings&) const = default;
};

} // namespace plot
