#pragma once
// What the plot window reads of the windows above it: the main window's metres check and plot-file
// label, and the output dialog's quantity list. The main window sets them once; a window test sets its own.
#include <cstdint>
#include <functional>
#include <string>

struct PlotWindowLinks {
    std::function<bool()> useSI;                        // frmMain.mnuUseSI checked
    std::function<std::string(std::uint8_t)> yAxisItem; // frmOutput.cmbYAXis item (1-based), "" if none
};

void SetPlotWindowLinks(PlotWindowLinks links);
// The main window's plot-file label (lblOutFile), which names the captured plot; "" when not set.
void SetPlotOutFileCaption(std::function<std::string()> caption);
std::string PlotOutFileCaption();
bool PlotUseSI();
std::string PlotYAxisItem(std::uint8_t yAxisVar);
