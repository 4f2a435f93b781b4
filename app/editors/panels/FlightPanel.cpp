#include "editors/panels/FlightPanel.h"

#include "editors/logic/FlightProfile.h"
#include "editors/panels/PanelBoxes.h"
#include "shell/model/ModelVariables.h"

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};
constexpr plat::NumericSteps kNothing{false, false};

void cmbFlight_Click(class frmMain& w) {
    const auto useFlightDefaults = static_cast<std::uint8_t>(w.chkUseDefaults->Value());
    FlightPanelTexts t = w.FlightTexts();
    const FlightPanelState state = ChooseFlightKind(w.cmbFlight->ListIndex(), useFlightDefaults,
                                                    w.Menu("mnuUseSI").Checked(), t, Model());
    ShowFlightTextsChanged(w, t);
    w.ShowFlightPanelState(state);
}

} // namespace

void AttachFlightPanel(class frmMain& w) {
    w.cmbFlight->Click = [&w] { cmbFlight_Click(w); };
    for (int row = 0; row < 2; ++row) {
        for (plat::TextBox* box : {&w.txtFltX(row), &w.txtFltY(row), &w.txtFltZ(row)})
            MakeNumeric(*box, kConvertAndGuard, kConvertAndGuard);
        for (plat::TextBox* box :
             {&w.txtFltAz(row), &w.txtFltEl(row), &w.txtFltRange(row), &w.txtFltAlt(row)})
            MakeNumeric(*box, kConvertAndGuard, kNothing);
        w.cmdConvertPoint(row).Click = [&w, row] {
            FlightPanelTexts t = w.FlightTexts();
            ConvertPoint(row, t);
            ShowFlightTextsChanged(w, t);
        };
    }
    plat::TextBox& points = *w.txtFltNumPoints;
    MakeNumeric(points, kGuardOnly, kConvertAndGuard);
    points.Validate = [&points] { SetTextIfChanged(points, ValidateNumPointsText(points.Text())); };
    // The engine reads the count as a whole number and needs two points at least.
    points.LostFocus = [&points] { SetTextIfChanged(points, WholeNumPointsText(points.Text())); };
}
