#pragma once

// The plot's axes: directions, units of the data, ranges by run type, auto-zoom or kept, and the
// scales in inches per data unit.

#include "plot/logic/PlotFileReader.h"
#include "plot/records/PlotSettings.h"

#include <cstdint>

namespace plot {

// The quantities of a plot file by YAxisVar.
bool IsCDIQuantity(std::uint8_t yAxisVar);       // 1, 2, 11 (microamps)
bool IsMagnitudeQuantity(std::uint8_t yAxisVar); // 3, 5, 7, 9, 10 (V/m in the file)
bool IsPhaseQuantity(std::uint8_t yAxisVar);     // 4, 6, 8 (degrees)

// PlotXDir and PlotYDir from the stored limits: 1 when max > min, else -1.
void SetDirections(PlotSettings& s);

// Magnitudes are shown in mV/m: every y times 1000 (the trace's Ylo and Yhi stay in V/m).
void ScaleMagnitudes(PlotTrace& trace, std::uint8_t yAxisVar);

// The X and Y ranges by the axis modes: by run type (tables), auto-zoom (the data's ends), manual
// (kept). Equal Y ends are widened to 0.5 and 1.5 times their value first. X stays in feet: the
// window converts only the labels to metres.
void SetAxisRanges(PlotSettings& s, std::uint8_t plotFlightType, std::uint8_t yAxisVar,
                   const PlotTrace& trace);

// Inches per data unit over the 9 x 6.5 inch plot area.
struct PlotScales {
    float X = 1;
    float Y = 1;
};

// Each scale recomputed from the limits when its span is not 0; a zero span keeps the previous one.
void UpdateScales(const PlotSettings& s, PlotScales& scales);

} // namespace plot
