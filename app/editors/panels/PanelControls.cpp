#include "editors/panels/PanelControls.h"

#include <stdexcept>
#include <string>

#include "editors/panels/PanelBoxes.h"

using namespace editors;

AntennaPanelTexts AntennaTexts(const AntennaPanelControls& c) {
    AntennaPanelTexts t;
    t.ArrayFreq = c.txtArrayFreq.Text();
    t.ArrayARatio = c.txtArrayARatio.Text();
    t.ArrayModDepth = c.txtArrayModDepth.Text();
    t.ArrayCLRModDepth = c.txtArrayCLRModDepth.Text();
    t.AntOrientListIndex = c.cmbAntOrient.ListIndex();
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        for (int i = 0; i < 3; ++i)
            (t.*row.texts)[static_cast<std::size_t>(i)] = c.Column(row.box)(i).Text();
    }
    t.SBOPowerAdj = c.txtSBOPowerAdj.Text();
    t.CLRPowerAdjust = c.txtCLRPowerAdjust.Text();
    t.CSBSBOPhase = c.txtCSBSBOPhase.Text();
    return t;
}

namespace {

// Showing writes every box; showing the changes writes only the boxes whose text differs, so that a
// box left as it was fires no Change.
void WriteBox(plat::TextBox& box, const std::string& text, ShowMode mode) {
    if (mode == ShowMode::All)
        box.SetText(text);
    else
        SetTextIfChanged(box, text);
}

} // namespace

void ShowAntennaTexts(const AntennaPanelControls& c, const AntennaPanelTexts& t, ShowMode mode) {
    WriteBox(c.txtArrayFreq, t.ArrayFreq, mode);
    WriteBox(c.txtArrayARatio, t.ArrayARatio, mode);
    WriteBox(c.txtArrayModDepth, t.ArrayModDepth, mode);
    WriteBox(c.txtArrayCLRModDepth, t.ArrayCLRModDepth, mode);
    if (mode == ShowMode::All || c.cmbAntOrient.ListIndex() != t.AntOrientListIndex)
        c.cmbAntOrient.SetListIndex(t.AntOrientListIndex);
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        for (int i = 0; i < 3; ++i)
            WriteBox(c.Column(row.box)(i), (t.*row.texts)[static_cast<std::size_t>(i)], mode);
    }
    WriteBox(c.txtSBOPowerAdj, t.SBOPowerAdj, mode);
    WriteBox(c.txtCLRPowerAdjust, t.CLRPowerAdjust, mode);
    WriteBox(c.txtCSBSBOPhase, t.CSBSBOPhase, mode);
}

TheodoliteTexts PathTexts(const PathControls& c) {
    return {c.txtThPathAngle.Text(), c.txtThPathWidth.Text(), c.txtThX.Text(), c.txtThY.Text(), c.txtThZ.Text()};
}

void ShowPathTexts(const PathControls& c, const TheodoliteTexts& t, ShowMode mode) {
    WriteBox(c.txtThPathAngle, t.ThPathAngle, mode);
    WriteBox(c.txtThPathWidth, t.ThPathWidth, mode);
    WriteBox(c.txtThX, t.ThX, mode);
    WriteBox(c.txtThY, t.ThY, mode);
    WriteBox(c.txtThZ, t.ThZ, mode);
}

FlightPanelTexts FlightTexts(const FlightPanelControls& c) {
    FlightPanelTexts t;
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.FltX[k] = c.txtFltX(i).Text();
        t.FltY[k] = c.txtFltY(i).Text();
        t.FltZ[k] = c.txtFltZ(i).Text();
        t.FltAz[k] = c.txtFltAz(i).Text();
        t.FltEl[k] = c.txtFltEl(i).Text();
        t.FltRange[k] = c.txtFltRange(i).Text();
        t.FltAlt[k] = c.txtFltAlt(i).Text();
    }
    t.FltNumPoints = c.txtFltNumPoints.Text();
    return t;
}

void ShowFlightTexts(const FlightPanelControls& c, const FlightPanelTexts& t, ShowMode mode) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        WriteBox(c.txtFltX(i), t.FltX[k], mode);
        WriteBox(c.txtFltY(i), t.FltY[k], mode);
        WriteBox(c.txtFltZ(i), t.FltZ[k], mode);
        WriteBox(c.txtFltAz(i), t.FltAz[k], mode);
        WriteBox(c.txtFltEl(i), t.FltEl[k], mode);
        WriteBox(c.txtFltRange(i), t.FltRange[k], mode);
        WriteBox(c.txtFltAlt(i), t.FltAlt[k], mode);
    }
    WriteBox(c.txtFltNumPoints, t.FltNumPoints, mode);
    HoldFixedAngle(c);
}

void HoldFixedAngle(const FlightPanelControls& c) {
    FlightPanelTexts t;
    t.FltZ = {c.txtFltZ(0).Text(), c.txtFltZ(1).Text()};
    editors::HoldFixedAngle(FlightTypeOfListIndex(c.cmbFlight.ListIndex()), t);
    if (c.txtFltZ(1).Text() != t.FltZ[1])
        c.txtFltZ(1).SetText(t.FltZ[1]);
}

void ShowFlightPanelState(const FlightPanelControls& c, const FlightPanelState& s) {
    const auto apply = [](plat::TextBox& box, const BoxState& state) {
        box.SetEnabled(state.Enabled);
        box.SetBackColor(state.BackColor);
    };
    c.lblX(1).SetCaption(s.Captions[0]);
    c.lblY(1).SetCaption(s.Captions[1]);
    c.lblZ(1).SetCaption(s.Captions[2]);
    const char* length = c.mnuUseSI.Checked() ? "m" : "ft";
    for (int col = 0; col < 3; ++col)
        c.Label37(6 + col).SetCaption(s.AngleColumns[static_cast<std::size_t>(col)] ? "deg" : length);
    apply(c.txtFltX(0), s.Row0);
    apply(c.txtFltY(0), s.Row0);
    apply(c.txtFltZ(0), s.Row0);
    apply(c.txtFltX(1), s.X1);
    apply(c.txtFltY(1), s.Y1);
    apply(c.txtFltZ(1), s.Z1);
    for (int i = 0; i < 2; ++i) {
        const BoxState& row = i == 0 ? s.ConverterRow0 : s.ConverterRow1;
        apply(c.txtFltAz(i), row);
        apply(c.txtFltEl(i), row);
        apply(c.txtFltRange(i), row);
        apply(c.txtFltAlt(i), row);
        if (s.ConvertEnabled)
            c.cmdConvertPoint(i).SetEnabled(*s.ConvertEnabled);
    }
}

int NumAntsOption(const AntennaPanelControls& c) {
    for (int i = 0; i < 3; ++i) {
        if (c.optNumAnts(i).Value())
            return i;
    }
    return -1;
}

void CheckAntennaColumns(const AntennaPanelControls& c) {
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        const AntennaColumn* column = c.columns[static_cast<std::size_t>(row.box)];
        if (column == nullptr || column->Name() != "txt" + std::string(row.name))
            throw std::logic_error("the antenna column of " + std::string(row.name) + " is not txt" +
                                   std::string(row.name));
    }
}
