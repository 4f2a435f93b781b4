#include "editors/panels/FlightPanel.h"

#include "editors/logic/FlightProfile.h"
#include "editors/panels/PanelBoxes.h"
#include "editors/panels/PanelControls.h"
#include "shell/model/ModelVariables.h"

using namespace editors;
using namespace shell;

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};
constexpr plat::NumericSteps kNothing{false, false};

void cmbFlight_Click(const FlightPanelControls& c, const plat::MenuItem& mnuUseSI) {
    const auto useFlightDefaults = static_cast<std::uint8_t>(c.chkUseDefaults.Value());
    FlightPanelTexts t = FlightTexts(c);
    const FlightPanelState state =
        ChooseFlightKind(c.cmbFlight.ListIndex(), useFlightDefaults, mnuUseSI.Checked(), t, Model());
    ShowFlightTexts(c, t, ShowMode::Changed);
    ShowFlightPanelState(c, state);
}

} // namespace

void AttachFlightPanel(const FlightPanelControls& c, const plat::MenuItem& mnuUseSI) {
    c.cmbFlight.Click = [&c, &mnuUseSI] { cmbFlight_Click(c, mnuUseSI); };
    for (int row = 0; row < 2; ++row) {
        for (plat::TextBox* box : {&c.txtFltX(row), &c.txtFltY(row), &c.txtFltZ(row)})
            MakeNumeric(*box, kConvertAndGuard, kConvertAndGuard);
        for (plat::TextBox* box :
             {&c.txtFltAz(row), &c.txtFltEl(row), &c.txtFltRange(row), &c.txtFltAlt(row)})
            MakeNumeric(*box, kConvertAndGuard, kNothing);
        c.cmdConvertPoint(row).Click = [&c, row] {
            FlightPanelTexts t = FlightTexts(c);
            ConvertPoint(row, t);
            ShowFlightTexts(c, t, ShowMode::Changed);
        };
    }
    c.txtFltZ(0).Change = [&c] { HoldFixedAngle(c); };
    plat::TextBox& points = c.txtFltNumPoints;
    MakeNumeric(points, kGuardOnly, kConvertAndGuard);
    points.Validate = [&points] { SetTextIfChanged(points, ValidateNumPointsText(points.Text())); };
    // The engine reads the count as a whole number and needs two points at least.
    points.LostFocus = [&points] { SetTextIfChanged(points, WholeNumPointsText(points.Text())); };
}
