#pragma once

// The model as the main window shows it: the texts of its boxes, its list and option choices and
// its menu checks, and the rules that move the model variables into them (showing), back out of
// them (collecting) and between feet and metres (ConvertDisplay). A window copies its controls into
// MainWindowTexts, calls a rule and writes the texts back.

#include "editors/logic/PanelTexts.h"
#include "shell/model/ModelVariables.h"
#include "shell/modelio/ParamFileReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace shell {

struct MainWindowTexts {
    editors::AntennaPanelTexts antenna; // with the orientation list's index
    editors::TheodoliteTexts path;
    editors::FlightPanelTexts flight;
    std::string flightListText; // cmbFlight's selected item, "" when none is selected
    int numAntsOption = 2;      // the optNumAnts button that is set (0..2), -1 for none
    bool mnuRay = false;
    bool mnuGTD = true;
    bool mnuPO = false;
    bool mnuUseSI = false;
    bool mnuUse3D = false;
};

// Copies the texts into the model (lengths times 3.281 when metres are shown; of the flight boxes
// only those that hold lengths for the flight type, as ConvertDisplay shows them). In two-dimensional
// ground mode the grid's rows with a Y get X "0.000", and NumGroundPts counts every row whose Y and
// Z are filled and whose mark is set; in 3D mode the grid is not touched.
void CollectParameters(const MainWindowTexts& t, plat::GridModel& grid, ModelVariables& m);

// The field-model menu checks (ray, GTD, PO) for a model code; none for a code other than 0..2.
std::optional<std::array<bool, 3>> FieldModelChecksFor(std::uint8_t fieldModel);

// The optNumAnts button for a number of antennas, -1 for none (0 or more than 3).
int NumAntsOptionFor(std::uint8_t numAnts);

// The array, theodolite and antenna boxes: the array values and the theodolite as their shortest
// text; the antennas in use in "####0.0##", their setback, height and feed texts copied into the
// idle columns by the panel's rule for hidden columns; then the attenuation and phase adjust of
// all three columns and the transmitter modifications in "###0.0".
void ShowArrayTexts(const ModelVariables& m, MainWindowTexts& t);

// The flight type shown (a type above 7 is shown as 7).
std::uint8_t ShownFlightType(std::uint8_t flightType);

// The cmbFlight item of a shown flight type: 1..4 the first four, 7 the fifth; -1 (no item) for
// 0 and for types 5 and 6, which the list does not hold.
int FlightListIndexFor(std::uint8_t shownFlightType);

// The number of points and the two flight points as their shortest text.
void ShowFlightTexts(const ModelVariables& m, MainWindowTexts& t);

// The output selection a file holds, which choosing the flight type while the model is shown
// must not replace.
struct OutputSelection {
    std::uint8_t PlotOn = 0;
    std::uint8_t XAxisVar = 0;
    std::uint8_t YAxisVar = 0;
};
OutputSelection SaveOutputSelection(const ModelVariables& m);
void RestoreOutputSelection(const OutputSelection& s, ModelVariables& m);

// Rewrites the shown lengths: to metres when toMetres, else to feet. The antenna boxes, the flight
// boxes that hold lengths for plotFlightType, the theodolite boxes and the grid's Y and Z cells
// that are not empty; a text that is not a number is left as it is.
void ConvertDisplay(bool toMetres, std::uint8_t plotFlightType, MainWindowTexts& t, plat::GridModel& grid);

// Which flight boxes (X, Y, Z) hold lengths for a flight type.
std::array<bool, 3> FlightLengthBoxes(std::uint8_t plotFlightType);

// The unit switch: the unit labels' text, the four panel titles and LengthUnit.
struct UnitCaptions {
    std::string unitLabel;             // Label37 items
    std::array<std::string, 4> titles; // Label62, Label67, Label63, Label66
    std::uint8_t lengthUnit = 0;
};
UnitCaptions UnitCaptionsFor(bool metres);

// The main window as showing the model and converting its lengths need it.
class ModelWindow {
public:
    virtual ~ModelWindow() = default;
    virtual MainWindowTexts Texts() const = 0;
    virtual void ShowTexts(const MainWindowTexts& t) = 0;
    virtual plat::GridModel& Grid() = 0;
    virtual void SetFieldModelChecks(const std::array<bool, 3>& rayGtdPo) = 0;
    // Setting the option or the list item runs its click handling (none when it is already set).
    virtual void SelectNumAnts(int option) = 0;
    virtual void SelectFlight(int listIndex) = 0;
    // Captions, enabling and colours of the flight panel for a flight type.
    virtual void UpdateConverterCaptions(std::uint8_t flightType) = 0;
};

// Shows the model: field-model menus, number of antennas, the array, theodolite and antenna boxes,
// the flight type (keeping the model's output selection and flight type over what choosing the
// list item sets), the flight points, and, when metres are shown, the lengths in metres.
void ShowParameters(ModelVariables& m, ModelWindow& w);

// ConvertDisplay on the window's texts and grid, in the direction of its mnuUseSI check.
void ConvertDisplay(const ModelVariables& m, ModelWindow& w);

inline constexpr char kConvertDisplayQuestion[] = "Would you like to convert the displayed values?";

} // namespace shell
