#include "plot/ui/PlotLinks.h"

#include <utility>

namespace {

PlotWindowLinks& Links() {
    static PlotWindowLinks links;
    return links;
}

std::function<std::string()>& OutFileCaption() {
    static std::function<std::string()> caption;
    return caption;
}

} // namespace

void SetPlotOutFileCaption(std::function<std::string()> caption) {
    OutFileCaption() = std::move(caption);
}

std::string PlotOutFileCaption() {
    return OutFileCaption() ? OutFileCaption()() : std::string();
}

void SetPlotWindowLinks(PlotWindowLinks links) {
    Links() = std::move(links);
}

bool PlotUseSI() {
    return Links().useSI && Links().useSI();
}

std::string PlotYAxisItem(std::uint8_t yAxisVar) {
    return Links().yAxisItem ? Links().yAxisItem(yAxisVar) : std::string();
}
