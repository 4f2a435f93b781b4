#include "plot/logic/AxisRanges.h"

#include "platform/text/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace plot {

namespace {

enum class AxisMode { ByRunType, AutoZoom, Manual };

AxisMode XMode(std::uint8_t axisMode) {
    if ((axisMode & 1) == 0)
        return AxisMode::ByRunType;
    return (axisMode & 2) != 0 ? AxisMode::AutoZoom : AxisMode::Manual;
}

AxisMode YMode(std::uint8_t axisMode) {
    if ((axisMode & 4) == 0)
        return AxisMode::ByRunType;
    return (axisMode & 8) != 0 ? AxisMode::AutoZoom : AxisMode::Manual;
}

enum class Quantity { CDI, Magnitude, Phase, Other };

Quantity QuantityOf(std::uint8_t yAxisVar) {
    if (IsCDIQuantity(yAxisVar))
        return Quantity::CDI;
    if (IsMagnitudeQuantity(yAxisVar))
        return Quantity::Magnitude;
    if (IsPhaseQuantity(yAxisVar))
        return Quantity::Phase;
    return Quantity::Other;
}

struct YRow {
    Quantity quantity;
    std::array<std::uint8_t, 5> types; // run types the row serves; 0 pads
    bool magnitudeTop;                 // the top comes from the data's peak
    float max, min, tics;
    std::int16_t dir;
};

constexpr std::array<YRow, 7> kYByRunType{{
    {Quantity::Phase, {1, 2, 3, 4, 7}, false, 180, -180, 9, 1},
    {Quantity::Magnitude, {1, 0, 0, 0, 0}, true, 0, 0, 10, 1},
    {Quantity::Magnitude, {2, 3, 4, 0, 0}, true, 0, 0, 11, 1},
    {Quantity::Magnitude, {7, 0, 0, 0, 0}, true, 0, 0, 11, -1},
    {Quantity::CDI, {1, 2, 0, 0, 0}, false, -500, 500, 11, -1},
    {Quantity::CDI, {3, 0, 0, 0, 0}, false, -100, 100, 11, -1},
    {Quantity::CDI, {4, 7, 0, 0, 0}, false, -250, 250, 11, -1},
}};

struct XRow {
    std::uint8_t type;
    bool fromData; // the data's ends, Xhi at the right
    float max, min, tics;
    std::int16_t dir;
};

constexpr std::array<XRow, 5> kXByRunType{{
    {1, true, 0, 0, 11, -1},
    {2, false, 0, 24304, 5, 1},
    {3, false, 24304, 0, 5, 1},
    {4, false, 1.8F, 4.0F, 11, -1},
    {7, false, 40, -40, 17, 1},
}};

// The top of a magnitude axis in mV/m: the peak rounded up to a whole number, or to a tenth below 0.9.
float MagnitudeTop(float ylo, float yhi) {
    const double peak = static_cast<double>(std::max(yhi, ylo)) * 1000.0;
    if (peak >= 0.9)
        return static_cast<float>(plat::RoundHalfEven(peak) + 1);
    return static_cast<float>(plat::RoundHalfEven(peak, 1) + 0.1);
}

void SetYRange(PlotSettings& s, std::uint8_t type, std::uint8_t yAxisVar, float ylo, float yhi) {
    const Quantity q = QuantityOf(yAxisVar);
    switch (YMode(s.PlotAxisMode)) {
    case AxisMode::Manual:
        return;
    case AxisMode::AutoZoom: {
        static constexpr std::array<std::uint8_t, 5> kZoomTypes{1, 2, 3, 4, 7};
        if (std::find(kZoomTypes.begin(), kZoomTypes.end(), type) == kZoomTypes.end())
            return;
        const float unit = q == Quantity::Magnitude ? 1000.0F : 1.0F;
        s.PlotYMax = yhi * unit;
        s.PlotYMin = ylo * unit;
        s.PlotYTics = 5;
        s.PlotYDir = 1;
        return;
    }
    case AxisMode::ByRunType:
        for (const YRow& row : kYByRunType) {
            if (row.quantity != q || type == 0 ||
                std::find(row.types.begin(), row.types.end(), type) == row.types.end())
                continue;
            s.PlotYMax = row.magnitudeTop ? MagnitudeTop(ylo, yhi) : row.max;
            s.PlotYMin = row.min;
            s.PlotYTics = row.tics;
            s.PlotYDir = row.dir;
            return;
        }
        return;
    }
}

void SetXRange(PlotSettings& s, std::uint8_t type, float xlo, float xhi) {
    switch (XMode(s.PlotAxisMode)) {
    case AxisMode::Manual:
        return;
    case AxisMode::AutoZoom:
        s.PlotXMax = xhi;
        s.PlotXMin = xlo;
        s.PlotXTics = 5;
        s.PlotXDir = xhi <= xlo ? -1 : 1;
        return;
    case AxisMode::ByRunType:
        for (const XRow& row : kXByRunType) {
            if (row.type != type)
                continue;
            s.PlotXMax = row.fromData ? xhi : row.max;
            s.PlotXMin = row.fromData ? xlo : row.min;
            s.PlotXTics = row.tics;
            s.PlotXDir = row.dir;
            return;
        }
        return;
    }
}

} // namespace

bool IsCDIQuantity(std::uint8_t v) {
    return v == 1 || v == 2 || v == 11;
}
bool IsMagnitudeQuantity(std::uint8_t v) {
    return v == 3 || v == 5 || v == 7 || v == 9 || v == 10;
}
bool IsPhaseQuantity(std::uint8_t v) {
    return v == 4 || v == 6 || v == 8;
}

void SetDirections(PlotSettings& s) {
    s.PlotYDir = s.PlotYMax > s.PlotYMin ? 1 : -1;
    s.PlotXDir = s.PlotXMax > s.PlotXMin ? 1 : -1;
}

void ScaleMagnitudes(PlotTrace& trace, std::uint8_t yAxisVar) {
    if (!IsMagnitudeQuantity(yAxisVar))
        return;
    for (float& y : trace.Y)
        y *= 1000.0F;
}

void SetAxisRanges(PlotSettings& s, std::uint8_t plotFlightType, std::uint8_t yAxisVar,
                   const PlotTrace& trace) {
    float ylo = trace.Ylo;
    float yhi = trace.Yhi;
    if (yhi == ylo) {
        yhi = 1.5F * yhi;
        ylo = 0.5F * ylo;
    }
    SetYRange(s, plotFlightType, yAxisVar, ylo, yhi);
    SetXRange(s, plotFlightType, trace.Xlo, trace.Xhi);
}

void UpdateScales(const PlotSettings& s, PlotScales& scales) {
    const float xSpan = s.PlotXMax - s.PlotXMin;
    const float ySpan = s.PlotYMax - s.PlotYMin;
    if (xSpan != 0 && std::isfinite(9.0F / xSpan))
        scales.X = 9.0F / xSpan;
    if (ySpan != 0 && std::isfinite(6.5F / ySpan))
        scales.Y = 6.5F / ySpan;
}

} // namespace plot
