#pragma once
// The plot window's page: the plot file read, scaled and drawn with its axes, titles and, on a CDI
// plot of an approach or a level run, the analysis. Draws on any device context, so that the window,
// its tests and the benchmark share it.
#include "platform/draw/DeviceContext.h"
#include "plot/logic/AnalysisCache.h"
#include "plot/logic/ApproachResults.h"
#include "plot/logic/AxisRanges.h"
#include "plot/logic/PlotFileCache.h"
#include "plot/records/PlotSettings.h"

#include <optional>
#include <string>

// The window's state that a redraw reads and keeps.
struct PlotView {
    int annotationLevel = 2; // 0 nothing, 1 envelope lines, 2 lines and texts
    plot::PlotScales scales; // kept when a span is 0
    plot::PlotFileCache curve; // the plot file's points, read again when the file changes
    plot::AnalysisCache analysis; // the last analysis, run again when what it reads changes
};

// What a redraw leaves for the window: the results window's labels after an approach analysis.
struct PlotOutcome {
    std::optional<plot::ResultsLabels> results;
};

// Reads the model's plot file (or, with traceFile, that file as a second trace in red over the
// picture, with no new grid) and draws it on the open page, then ends the page (EndPlot). A file
// that cannot be read shows one message and leaves the page as it is; a failure on the way shows
// "Error in Output" and keeps what was drawn.
PlotOutcome PlotData(plat::DeviceContext& dc, PlotView& view, const std::string* traceFile = nullptr);

// The model's path and theodolite geometry copied into ILSData.
void CopyPathGeometry();

// Grid, tics, tic labels and frame, with the X labels in the axis' unit.
void DrawAxes(plat::DeviceContext& dc, const plot::PlotSettings& s, double xLabelFactor);

// The messages a redraw shows.
inline constexpr const char* kErrorInOutput = "Error in Output";
