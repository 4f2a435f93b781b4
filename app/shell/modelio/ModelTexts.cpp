#include "shell/modelio/ModelTexts.h"

#include "common/Constants.h"
#include "editors/logic/FeedRules.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

using namespace common;
using namespace editors;

namespace shell {

namespace {

// The display factor in double precision (3.2809998989...).
constexpr double kFactor = double{kFeetPerMetreSingle};

std::string Pattern(float v) {
    return plat::Format(v, "####0.0##");
}

std::string Tenths(float v) {
    return plat::Format(v, "###0.0");
}

std::string Shortest(float v) {
    return plat::GeneralText(v);
}

bool Filled(const std::string& s) {
    return !plat::Trim(s).empty();
}

// A shown length in double precision, rounded to `decimals` when it is 0 or more.
void ConvertDouble(std::string& text, bool toMetres, int metresDecimals, int feetDecimals) {
    if (!plat::IsNumeric(text))
        return;
    const double v = plat::CDbl(text);
    const double converted = toMetres ? plat::RoundHalfEven(v / kFactor, metresDecimals)
                                      : plat::RoundHalfEven(v * kFactor, feetDecimals);
    text = plat::GeneralText(converted);
}

// A shown flight length: read and stored in single precision, rounded to 6 decimals both ways.
void ConvertSingle(std::string& text, bool toMetres) {
    if (!plat::IsNumeric(text))
        return;
    const double v = double{ToSingle(plat::CDbl(text))};
    const double converted = plat::RoundHalfEven(toMetres ? v / kFactor : v * kFactor, 6);
    text = Shortest(ToSingle(converted));
}

// A grid cell: read in double precision, stored in single; not rounded to metres, to 3 decimals
// back to feet.
std::string ConvertCell(const std::string& text, bool toMetres) {
    if (!plat::IsNumeric(text))
        return text;
    const double v = plat::CDbl(text);
    const double converted = toMetres ? v / kFactor : plat::RoundHalfEven(v * kFactor, 3);
    return Shortest(ToSingle(converted));
}

} // namespace

void CollectParameters(const MainWindowTexts& t, plat::GridModel& grid, ModelVariables& m) {
    const double f = t.mnuUseSI ? kFactor : 1.0;
    const auto single = [](const std::string& s) { return ToSingle(TextNumber(s)); };
    const auto length = [f](const std::string& s) { return ToSingle(TextNumber(s) * f); };
    const AntennaPanelTexts& a = t.antenna;

    if (t.mnuRay)
        m.FieldModel = 0;
    else if (t.mnuGTD)
        m.FieldModel = 1;
    else if (t.mnuPO)
        m.FieldModel = 2;

    m.ArrayARatio = single(a.ArrayARatio);
    m.ArrayCLRModDepth = single(a.ArrayCLRModDepth);
    m.ArrayFreq = single(a.ArrayFreq);
    m.ArrayModDepth = single(a.ArrayModDepth);
    m.PathAngle = single(t.path.ThPathAngle);
    m.PathWidth = single(t.path.ThPathWidth);
    m.CSBSBOPhase = single(a.CSBSBOPhase);
    m.SBOPowerAdj = single(a.SBOPowerAdj);
    m.CLRPowerAdj = single(a.CLRPowerAdjust);
    if (a.AntOrientListIndex >= 0)
        m.AntOrient = static_cast<std::uint8_t>(a.AntOrientListIndex);

    m.NumAnts = t.numAntsOption == 0 ? 1 : t.numAntsOption == 1 ? 2 : 3;
    const std::size_t b = m.NumAnts == 3 ? 1 : 2;
    m.RefAntX = length(a.AntX[b]);
    m.RefAntY = length(a.AntY[b]);

    m.ThX = length(t.path.ThX);
    m.ThY = length(t.path.ThY);
    m.ThZ = length(t.path.ThZ);

    for (std::size_t i = 0; i < 3; ++i) {
        AntennaRec& r = m.Ant(static_cast<int>(i) + 1);
        r.X = length(a.AntX[i]);
        r.Y = length(a.AntY[i]);
        r.Z = length(a.AntZ[i]);
        r.Rot = single(a.AntRot[i]);
        r.CLRMag = single(a.AntCLRMag[i]);
        r.CLRPhase = single(a.AntCLRPhase[i]);
        r.CSBMag = single(a.AntCSBMag[i]);
        r.CSBPhase = single(a.AntCSBPhase[i]);
        r.SBOMag = single(a.AntSBOMag[i]);
        r.SBOPhase = single(a.AntSBOPhase[i]);
        r.Atten = single(a.AntAtten[i]);
        r.PhaseAdj = single(a.AntPhaseAdj[i]);
    }

    // A type the list does not hold (none selected) stays as it was loaded.
    if (!t.flightListText.empty())
        m.FlightType = static_cast<std::uint8_t>(plat::Val(t.flightListText.substr(0, 1)));
    // Only the boxes that hold lengths for the type are shown in metres; the others hold angles
    // (or, for types the display does not convert, feet) and are taken as they stand.
    const FlightPanelTexts& fl = t.flight;
    const std::array<bool, 3> lengths = FlightLengthBoxes(m.FlightType);
    const auto point = [&](std::size_t i) {
        return Vector3{lengths[0] ? length(fl.FltX[i]) : single(fl.FltX[i]),
                       lengths[1] ? length(fl.FltY[i]) : single(fl.FltY[i]),
                       lengths[2] ? length(fl.FltZ[i]) : single(fl.FltZ[i])};
    };
    m.FltPoint1 = point(0);
    m.FltPoint2 = point(1);
    m.FltNumPoints = single(fl.FltNumPoints);

    if (t.mnuUse3D)
        return;
    grid.SetRedraw(false);
    m.NumGroundPts = 0;
    for (int r = 1; r < grid.Rows(); ++r) {
        if (Filled(grid.TextMatrix(r, 2)))
            grid.SetTextMatrix(r, 1, "0.000");
    }
    for (int r = 1; r < grid.Rows(); ++r) {
        if (Filled(grid.TextMatrix(r, 2)) && Filled(grid.TextMatrix(r, 3)) &&
            plat::Trim(grid.TextMatrix(r, 4)) == "X")
            ++m.NumGroundPts;
    }
    grid.SetRedraw(true);
}

std::optional<std::array<bool, 3>> FieldModelChecksFor(std::uint8_t fieldModel) {
    if (fieldModel > 2)
        return std::nullopt;
    return std::array<bool, 3>{fieldModel == 0, fieldModel == 1, fieldModel == 2};
}

int NumAntsOptionFor(std::uint8_t numAnts) {
    return numAnts >= 1 && numAnts <= 3 ? numAnts - 1 : -1;
}

void ShowArrayTexts(const ModelVariables& m, MainWindowTexts& t) {
    AntennaPanelTexts& a = t.antenna;
    a.ArrayARatio = Shortest(m.ArrayARatio);
    a.ArrayCLRModDepth = Shortest(m.ArrayCLRModDepth);
    a.ArrayFreq = Shortest(m.ArrayFreq);
    a.ArrayModDepth = Shortest(m.ArrayModDepth);
    t.path.ThPathAngle = Shortest(m.PathAngle);
    t.path.ThPathWidth = Shortest(m.PathWidth);
    t.path.ThX = Shortest(m.ThX);
    t.path.ThY = Shortest(m.ThY);
    t.path.ThZ = Shortest(m.ThZ);
    a.AntOrientListIndex = m.AntOrient;

    for (int j = 0; j < m.NumAnts && j < 3; ++j) {
        const auto b = static_cast<std::size_t>(m.NumAnts == 2 && j == 1 ? 2 : j);
        const AntennaRec& r = m.Ant(static_cast<int>(b) + 1);
        a.AntX[b] = Pattern(r.X);
        a.AntY[b] = Pattern(r.Y);
        a.AntZ[b] = Pattern(r.Z);
        a.AntRot[b] = Pattern(r.Rot);
        a.AntCLRMag[b] = Pattern(r.CLRMag);
        a.AntCLRPhase[b] = Pattern(r.CLRPhase);
        a.AntCSBMag[b] = Pattern(r.CSBMag);
        a.AntCSBPhase[b] = Pattern(r.CSBPhase);
        a.AntSBOMag[b] = Pattern(r.SBOMag);
        a.AntSBOPhase[b] = Pattern(r.SBOPhase);
    }
    // The idle columns hold copies of the columns in use, as leaving those boxes makes them: the
    // collector takes the reference antenna of one antenna from column 2.
    if (m.NumAnts == 1 || m.NumAnts == 2) {
        for (ColumnTexts* boxes : {&a.AntY, &a.AntZ, &a.AntCLRMag, &a.AntCLRPhase, &a.AntCSBMag,
                                   &a.AntCSBPhase, &a.AntSBOMag, &a.AntSBOPhase})
            MirrorHiddenColumns(*boxes, m.NumAnts);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const AntennaRec& r = m.Ant(static_cast<int>(i) + 1);
        a.AntAtten[i] = Tenths(r.Atten);
        a.AntPhaseAdj[i] = Tenths(r.PhaseAdj);
    }
    a.SBOPowerAdj = Tenths(m.SBOPowerAdj);
    a.CLRPowerAdjust = Tenths(m.CLRPowerAdj);
    a.CSBSBOPhase = Tenths(m.CSBSBOPhase);
}

std::uint8_t ShownFlightType(std::uint8_t flightType) {
    return flightType > 7 ? 7 : flightType;
}

int FlightListIndexFor(std::uint8_t shownFlightType) {
    if (shownFlightType == 7)
        return 4;
    if (shownFlightType >= 1 && shownFlightType <= 4)
        return shownFlightType - 1;
    return -1;
}

void ShowFlightTexts(const ModelVariables& m, MainWindowTexts& t) {
    FlightPanelTexts& f = t.flight;
    f.FltNumPoints = Shortest(m.FltNumPoints);
    f.FltX = {Shortest(m.FltPoint1.X), Shortest(m.FltPoint2.X)};
    f.FltY = {Shortest(m.FltPoint1.Y), Shortest(m.FltPoint2.Y)};
    f.FltZ = {Shortest(m.FltPoint1.Z), Shortest(m.FltPoint2.Z)};
}

OutputSelection SaveOutputSelection(const ModelVariables& m) {
    return {m.PlotOn, m.XAxisVar, m.YAxisVar};
}

void RestoreOutputSelection(const OutputSelection& s, ModelVariables& m) {
    m.PlotOn = s.PlotOn;
    m.XAxisVar = s.XAxisVar;
    m.YAxisVar = s.YAxisVar;
}

std::array<bool, 3> FlightLengthBoxes(std::uint8_t plotFlightType) {
    switch (plotFlightType) {
    case 1:
        return {true, false, false};
    case 2:
    case 4:
        return {true, true, true};
    case 3:
        return {true, true, false};
    case 7:
        return {true, false, true};
    default:
        return {false, false, false};
    }
}

void ConvertDisplay(bool toMetres, std::uint8_t plotFlightType, MainWindowTexts& t, plat::GridModel& grid) {
    AntennaPanelTexts& a = t.antenna;
    for (std::size_t i = 0; i < 3; ++i) {
        ConvertDouble(a.AntX[i], toMetres, 6, 5);
        ConvertDouble(a.AntY[i], toMetres, 6, 5);
        ConvertDouble(a.AntZ[i], toMetres, 6, 5);
    }

    const std::array<bool, 3> boxes = FlightLengthBoxes(plotFlightType);
    FlightPanelTexts& f = t.flight;
    for (std::size_t i = 0; i < 2; ++i) {
        if (boxes[0])
            ConvertSingle(f.FltX[i], toMetres);
        if (boxes[1])
            ConvertSingle(f.FltY[i], toMetres);
        if (boxes[2])
            ConvertSingle(f.FltZ[i], toMetres);
    }

    ConvertDouble(t.path.ThX, toMetres, 2, 2);
    ConvertDouble(t.path.ThY, toMetres, 2, 2);
    ConvertDouble(t.path.ThZ, toMetres, 2, 2);

    for (int r = 1; r < grid.Rows(); ++r) {
        for (int col = 2; col <= 3; ++col) {
            const std::string cell = grid.TextMatrix(r, col);
            if (Filled(cell))
                grid.SetTextMatrix(r, col, ConvertCell(cell, toMetres));
        }
    }
}

UnitCaptions UnitCaptionsFor(bool metres) {
    const std::string unit = metres ? "m" : "ft";
    const std::string suffix = " (" + unit + ")";
    return {unit,
            {"Ground Plane" + suffix, "Flight Profile" + suffix, "Theodolite" + suffix,
             "Antenna Parameters" + suffix},
            static_cast<std::uint8_t>(metres ? 1 : 0)};
}

void ShowParameters(ModelVariables& m, ModelWindow& w) {
    if (const auto checks = FieldModelChecksFor(m.FieldModel))
        w.SetFieldModelChecks(*checks);
    if (const int option = NumAntsOptionFor(m.NumAnts); option >= 0)
        w.SelectNumAnts(option);
    MainWindowTexts t = w.Texts();
    ShowArrayTexts(m, t);
    w.ShowTexts(t);

    // Choosing the list item loads that kind's output selection; the model's own is kept.
    const std::uint8_t type = ShownFlightType(m.FlightType);
    m.FlightType = type;
    const OutputSelection output = SaveOutputSelection(m);
    w.SelectFlight(FlightListIndexFor(type));
    m.FlightType = type;
    m.PlotFlightType = type;
    RestoreOutputSelection(output, m);
    w.UpdateConverterCaptions(type);

    t = w.Texts();
    ShowFlightTexts(m, t);
    w.ShowTexts(t);
    if (t.mnuUseSI)
        ConvertDisplay(m, w);
}

void ConvertDisplay(const ModelVariables& m, ModelWindow& w) {
    MainWindowTexts t = w.Texts();
    ConvertDisplay(t.mnuUseSI, m.PlotFlightType, t, w.Grid());
    w.ShowTexts(t);
}

} // namespace shell
