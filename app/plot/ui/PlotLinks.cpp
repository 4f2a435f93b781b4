#include "plot/ui/PlotLinks.h"

#include <utility>

namespace {

PlotWindowLinks& Links() {
    static PlotWindowLinks links;
    return links;
}

} // namespace

void SetPlotWindowLinks(PlotWindowLinks links) {
    Links() = std::move(links);
}

bool PlotUseSI() {
    return Links().useSI && Links().useSI();
}

std::string PlotYAxisItem(std::uint8_t yAxisVar) {
    return Links().yAxisItem ? Links().yAxisItem(yAxisVar) : std::string();
}
