#include "editors/logic/FlightProfile.h"

#include "common/BoxValue.h"
#include "common/Constants.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>

using namespace common;
using namespace shell;

namespace editors {

namespace {

struct OutputSelection {
    std::uint8_t PlotXUnit, PlotFlightType, PlotOn, XAxisVar, YAxisVar;
};

// Default point texts: X(0), Y(0), Z(0), X(1), Y(1), Z(1).
using DefaultPoints = std::array<const char*, 6>;

void LoadKind(const OutputSelection& out, const DefaultPoints& points, std::uint8_t useFlightDefaults,
              FlightPanelTexts& t, ModelVariables& model) {
    model.PlotSettings.PlotXUnit = out.PlotXUnit;
    model.PlotFlightType = out.PlotFlightType;
    model.PlotOn = out.PlotOn;
    model.XAxisVar = out.XAxisVar;
    model.YAxisVar = out.YAxisVar;
    const bool defaults = useFlightDefaults == 1;
    const auto text = [&](std::size_t i) { return std::string(defaults ? points[i] : "0.00"); };
    t.FltX[0] = text(0);
    t.FltY[0] = text(1);
    t.FltZ[0] = text(2);
    t.FltX[1] = text(3);
    t.FltY[1] = text(4);
    t.FltZ[1] = text(5);
}

// Metres shown: a loaded length box in feet becomes metres, rounded to six decimals.
void ShowInMetres(std::string& text) {
    const double feet = plat::IsNumeric(text) ? plat::CSng(text) : common::BoxValue(text);
    text = plat::GeneralText(plat::RoundHalfEven(ToSingle(feet) / kFeetPerMetre, 6));
}

constexpr BoxState kOn{true, 0xFFFFFF};
constexpr BoxState kOff{false, 0xC0C0C0};

} // namespace

std::uint8_t FlightTypeOfListIndex(int listIndex) {
    if (listIndex < 0 || listIndex > 4)
        return 0;
    return listIndex == 4 ? 7 : static_cast<std::uint8_t>(listIndex + 1);
}

void InitConstRadcut(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, ModelVariables& model) {
    LoadKind({2, 1, 2, 2, 1}, {"24304.00", "0.00", "0", "0.00", "90.00", "00.00"}, useFlightDefaults, texts,
             model);
    HoldFixedAngle(1, texts);
}

void InitLinearCut(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, ModelVariables& model) {
    LoadKind({0, 2, 2, 2, 1}, {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, useFlightDefaults, texts,
             model);
}

void InitPatternA(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, ModelVariables& model) {
    LoadKind({1, 3, 2, 1, 2}, {"0.00", "30380.00", "3.00", "0.00", "0.00", "0.00"}, useFlightDefaults, texts,
             model);
}

void InitPatternB(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, ModelVariables& model) {
    LoadKind({2, 4, 2, 2, 1}, {"0.00", "42954.38", "1500.00", "0.00", "17145.07", "1500.00"},
             useFlightDefaults, texts, model);
}

void InitPatternC(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, ModelVariables& model) {
    LoadKind({2, 7, 2, 5, 1}, {"24304.00", "-25.00", "1500.00", "0.00", "25.00", "1500.00"},
             useFlightDefaults, texts, model);
}

FlightPanelState UpdateConverterCaptions(std::uint8_t flightType) {
    FlightPanelState s;
    switch (flightType) {
    case 0:
        s = {{"X", "Y", "Z"}, kOn, kOn, kOn, kOn, kOn, {false, 0xFFFFFF}, true, {}};
        break;
    case 1:
        // The engine sweeps the elevation from Y(0) to Y(1) at the azimuth of Z(0).
        s = {{"Radius", "Elev. Ang", "Azim. Ang"},
             kOn,
             kOff,
             kOn,
             kOff,
             kOff,
             kOff,
             false,
             {false, true, true}};
        break;
    case 2:
    case 4:
    case 5:
        s = {{"X", "Y", "Z"}, kOn, kOn, kOn, kOn, kOn, kOn, true, {}};
        break;
    case 3:
    case 6:
        s = {{"X", "Y", "Elev. Ang."}, kOn, kOn, kOn, kOff, kOn, kOn, true, {false, false, true}};
        break;
    case 7:
        s = {{"Radius", "Az. Angle", "Flight Lvl"},
             kOn,
             kOff,
             kOn,
             kOff,
             kOff,
             kOff,
             false,
             {false, true, false}};
        break;
    default: {
        constexpr BoxState dark{false, 0};
        s = {{"", "", ""}, dark, dark, dark, dark, dark, dark, std::nullopt, {}};
        break;
    }
    }
    return s;
}

FlightPanelState ChooseFlightKind(int listIndex, std::uint8_t useFlightDefaults, bool metresShown,
                                  FlightPanelTexts& texts, ModelVariables& model) {
    // The list position plus one, the fifth item giving 7.
    model.PlotFlightType = FlightTypeOfListIndex(listIndex);
    switch (model.PlotFlightType) {
    case 1:
        InitConstRadcut(useFlightDefaults, texts, model);
        break;
    case 2:
        InitLinearCut(useFlightDefaults, texts, model);
        break;
    case 3:
        InitPatternA(useFlightDefaults, texts, model);
        break;
    case 4:
        InitPatternB(useFlightDefaults, texts, model);
        break;
    case 7:
        InitPatternC(useFlightDefaults, texts, model);
        break;
    default:
        break;
    }
    model.FlightType = model.PlotFlightType;
    if (metresShown) {
        const int kind = model.PlotFlightType;
        for (std::size_t row = 0; row < 2; ++row) {
            if (kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 7)
                ShowInMetres(texts.FltX[row]);
            if (kind == 2 || kind == 3 || kind == 4)
                ShowInMetres(texts.FltY[row]);
            if (kind == 2 || kind == 4 || kind == 7)
                ShowInMetres(texts.FltZ[row]);
        }
    }
    return UpdateConverterCaptions(model.FlightType);
}

void HoldFixedAngle(std::uint8_t flightType, FlightPanelTexts& texts) {
    if (flightType == 1)
        texts.FltZ[1] = texts.FltZ[0];
}

void ConvertPoint(int row, FlightPanelTexts& texts) {
    const auto r = static_cast<std::size_t>(row);
    struct Input {
        bool Given;
        float Value;
    };
    const auto input = [](const std::string& text) {
        const std::string trimmed = plat::Trim(text);
        return Input{!trimmed.empty(), ToSingle(common::BoxValue(trimmed))};
    };
    const Input az = input(texts.FltAz[r]);
    const Input el = input(texts.FltEl[r]);
    const Input range = input(texts.FltRange[r]);
    const Input alt = input(texts.FltAlt[r]);
    const double k = kDegToRad;

    double x = 0;
    double y = 0;
    double z = 0;
    if (az.Given && el.Given && range.Given) {
        x = range.Value * std::sin(az.Value * k);
        y = range.Value * std::cos(az.Value * k);
        z = range.Value * std::tan(el.Value * k);
    } else if (az.Given && alt.Given && range.Given) {
        x = range.Value * std::sin(az.Value * k);
        y = range.Value * std::cos(az.Value * k);
        z = alt.Value;
    } else if (az.Given && el.Given && alt.Given) {
        if (el.Value == 0)
            return;
        const double radius = alt.Value / std::tan(el.Value * k);
        x = radius * std::sin(az.Value * k);
        y = radius * std::cos(az.Value * k);
        z = alt.Value;
    } else if (el.Given && range.Given) {
        y = range.Value;
        z = range.Value * std::tan(el.Value * k);
    } else if (el.Given && alt.Given) {
        if (el.Value == 0)
            return;
        y = alt.Value / std::tan(el.Value * k);
        z = alt.Value;
    }
    texts.FltX[r] = plat::GeneralText(ToSingle(x));
    texts.FltY[r] = plat::GeneralText(ToSingle(y));
    texts.FltZ[r] = plat::GeneralText(ToSingle(z));
}

std::string ValidateNumPointsText(const std::string& text) {
    bool tooMany = false;
    try {
        tooMany = plat::Val(text) > kMaxFlightPoints;
    } catch (const plat::OverflowError&) {
        tooMany = true;
    }
    if (text.empty() || tooMany)
        return std::to_string(kMaxFlightPoints);
    return text;
}

std::string WholeNumPointsText(const std::string& guardedText) {
    const double v = common::BoxValue(guardedText);
    if (v >= kMinFlightPoints && v <= kMaxFlightPoints && v == std::floor(v))
        return guardedText;
    const double whole =
        std::clamp(plat::RoundHalfEven(v), double{kMinFlightPoints}, double{kMaxFlightPoints});
    return plat::GeneralText(static_cast<int>(whole));
}

} // namespace editors
