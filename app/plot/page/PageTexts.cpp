#include "plot/page/PageTexts.h"

#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "plot/logic/AxisRanges.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plot {

namespace {

constexpr double kFeetPerNmi = 6076.0;

// Format that never throws: an overflowed value reads as 0.
std::string Fmt(double value, std::string_view pattern) {
    return plat::Format(std::isfinite(value) ? value : 0.0, pattern);
}

constexpr std::string_view kTicPattern = "##,##0.0#";

} // namespace

int TicIntervals(float tics) {
    const double n = static_cast<double>(tics) - 1.0;
    if (!(n >= 1.0))
        return 1;
    return static_cast<int>(std::min(255.0, plat::RoundHalfEven(std::min(n, 1000.0))));
}

double XLabelFactor(std::uint8_t plotXUnit, bool useSI) {
    switch (plotXUnit) {
    case 0:
        return useSI ? 1852.0 / kFeetPerNmi : 1.0;
    case 1:
        return useSI ? 1.852 / kFeetPerNmi : 1.0 / kFeetPerNmi;
    default:
        return 1.0;
    }
}

AxesLayout LayoutAxes(const PlotSettings& s, double xLabelFactor) {
    AxesLayout a;
    const int nX = TicIntervals(s.PlotXTics);
    const float xStep = (s.PlotXMax - s.PlotXMin) / static_cast<float>(nX);
    for (int i = 0; i <= nX; ++i) {
        const float x = 1.0F + 9.0F * static_cast<float>(i) / static_cast<float>(nX);
        const std::string text =
            Fmt((static_cast<float>(i) * xStep + s.PlotXMin) * xLabelFactor, kTicPattern);
        const float shift = text.size() == 3 ? 0.1F : text.size() == 2 ? 0.0F : 0.17F;
        a.xLines.push_back({x, false});
        a.xLabels.push_back({x - shift, 7.6F, text});
    }
    const int nY = TicIntervals(s.PlotYTics);
    const float yStep = (s.PlotYMax - s.PlotYMin) / static_cast<float>(nY);
    for (int j = 0; j <= nY; ++j) {
        const float y = 7.5F - 6.5F * static_cast<float>(j) / static_cast<float>(nY);
        const std::string text = Fmt(static_cast<float>(j) * yStep + s.PlotYMin, kTicPattern);
        a.yLines.push_back({y, plat::Val(text) == 0});
        a.yLabels.push_back({0.95F, y + 0.01F, text});
    }
    return a;
}

std::string PlotTitle(const PlotSettings& s, std::uint8_t plotFlightType) {
    if (!s.PlotLabel.empty())
        return s.PlotLabel;
    static constexpr std::array<const char*, 8> kTitles{"Generic Plot",
                                                        "Constant Radius Cut",
                                                        "Linear Cut",
                                                        "Low Approach",
                                                        "Constant Altitude Approach",
                                                        "Constant Altitude Approach",
                                                        "Low Approach",
                                                        "Partial Orbit"};
    return plotFlightType < kTitles.size() ? kTitles[plotFlightType] : kTitles[0];
}

std::string QuantityCaption(std::uint8_t yAxisVar, std::string_view listItem) {
    if (yAxisVar < 1 || yAxisVar > 11)
        return {};
    const std::size_t from = yAxisVar >= 10 ? 5 : 4; // character 6 or 5, counted from 1
    return from < listItem.size() ? std::string(listItem.substr(from)) : std::string();
}

std::string XUnitCaption(std::uint8_t plotXUnit, bool useSI) {
    switch (plotXUnit) {
    case 0:
        return useSI ? "Meters" : "Feet";
    case 1:
        return useSI ? "Kilometers" : "Nautical Miles";
    case 2:
        return "Degrees";
    default:
        return {};
    }
}

std::string YUnitCaption(std::uint8_t yAxisVar) {
    if (IsCDIQuantity(yAxisVar))
        return "Microamps";
    if (IsPhaseQuantity(yAxisVar))
        return "Degrees";
    if (IsMagnitudeQuantity(yAxisVar))
        return "mV/m";
    return {};
}

std::string GetFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(slash + 1));
}

} // namespace plot
