#pragma once

// The flight profile panel's rules: the five kinds of path with their default points and output
// selections, the enabling and captions of the point boxes by kind, the point converter and the
// number-of-points rule.

#include "editors/logic/PanelTexts.h"
#include "shell/model/ModelVariables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace editors {

// The fewest and the most points of a flight profile.
inline constexpr int kMinFlightPoints = 2;
inline constexpr int kMaxFlightPoints = 201;

// The kind of path of a list position of cmbFlight: position + 1, the fifth item 7; 0 for none.
std::uint8_t FlightTypeOfListIndex(int listIndex);

// The five default loaders: each sets the output selection of its kind (PlotXUnit,
// PlotFlightType, PlotOn, XAxisVar, YAxisVar) and fills the six point boxes with its defaults, or
// with "0.00" when useFlightDefaults is 0.
void InitConstRadcut(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, shell::ModelVariables& model);
void InitLinearCut(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, shell::ModelVariables& model);
void InitPatternA(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, shell::ModelVariables& model);
void InitPatternB(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, shell::ModelVariables& model);
void InitPatternC(std::uint8_t useFlightDefaults, FlightPanelTexts& texts, shell::ModelVariables& model);

struct BoxState {
    bool Enabled = true;
    std::uint32_t BackColor = 0xFFFFFF;
    bool operator==(const BoxState&) const = default;
};

// What UpdateConverterCaptions sets for a kind of path.
struct FlightPanelState {
    std::array<std::string, 3> Captions; // lblX(1), lblY(1), lblZ(1)
    BoxState Row0;                       // FltX(0), FltY(0), FltZ(0)
    BoxState X1, Y1, Z1;                 // FltX(1), FltY(1), FltZ(1)
    BoxState ConverterRow0;              // FltAz, FltEl, FltRange, FltAlt of row 0
    BoxState ConverterRow1;              // the same of row 1
    std::optional<bool> ConvertEnabled;  // both cmdConvertPoint; none: left as they are
    std::array<bool, 3> AngleColumns{};  // X, Y, Z columns that hold angles (degrees), not lengths
};

// UpdateConverterCaptions for FlightType.
FlightPanelState UpdateConverterCaptions(std::uint8_t flightType);

// A choice in cmbFlight at listIndex: PlotFlightType and FlightType from the list, the kind's
// loader, and, when metres are shown, the loaded length boxes converted to metres. Returns the
// panel state of the chosen kind.
FlightPanelState ChooseFlightKind(int listIndex, std::uint8_t useFlightDefaults, bool metresShown,
                                  FlightPanelTexts& texts, shell::ModelVariables& model);

// A constant radius cut sweeps the elevation (the Y column) at one azimuth: the end azimuth box
// Z(1), which cannot be edited, holds the start azimuth Z(0), as the file carries it.
void HoldFixedAngle(std::uint8_t flightType, FlightPanelTexts& texts);

// The point converter of row 0 or 1: X, Y and Z of the row from the first complete combination of
// azimuth, elevation, range and altitude; nothing is written when an elevation of 0 would divide.
void ConvertPoint(int row, FlightPanelTexts& texts);

// The number-of-points box before it loses the focus: an empty text or one above the most points
// becomes "201".
std::string ValidateNumPointsText(const std::string& text);

// The number-of-points box after its conversion and guard: a whole number from 2 to 201 stays as
// it is; any other value is rounded to a whole number and brought into that range.
std::string WholeNumPointsText(const std::string& guardedText);

} // namespace editors
