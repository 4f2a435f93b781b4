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

void ShowAntennaTexts(const AntennaPanelControls& c, const AntennaPanelTexts& t) {
    c.txtArrayFreq.SetText(t.ArrayFreq);
    c.txtArrayARatio.SetText(t.ArrayARatio);
    c.txtArrayModDepth.SetText(t.ArrayModDepth);
    c.txtArrayCLRModDepth.SetText(t.ArrayCLRModDepth);
    c.cmbAntOrient.SetListIndex(t.AntOrientListIndex);
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        for (int i = 0; i < 3; ++i)
            c.Column(row.box)(i).SetText((t.*row.texts)[static_cast<std::size_t>(i)]);
    }
    c.txtSBOPowerAdj.SetText(t.SBOPowerAdj);
    c.txtCLRPowerAdjust.SetText(t.CLRPowerAdjust);
    c.txtCSBSBOPhase.SetText(t.CSBSBOPhase);
}

void ShowAntennaTextsChanged(const AntennaPanelControls& c, const AntennaPanelTexts& t) {
    SetTextIfChanged(c.txtArrayFreq, t.ArrayFreq);
    SetTextIfChanged(c.txtArrayARatio, t.ArrayARatio);
    SetTextIfChanged(c.txtArrayModDepth, t.ArrayModDepth);
    SetTextIfChanged(c.txtArrayCLRModDepth, t.ArrayCLRModDepth);
    if (c.cmbAntOrient.ListIndex() != t.AntOrientListIndex)
        c.cmbAntOrient.SetListIndex(t.AntOrientListIndex);
    for (const AntennaBoxRow& row : kAntennaBoxes) {
        for (int i = 0; i < 3; ++i)
            SetTextIfChanged(c.Column(row.box)(i), (t.*row.texts)[static_cast<std::size_t>(i)]);
    }
    SetTextIfChanged(c.txtSBOPowerAdj, t.SBOPowerAdj);
    SetTextIfChanged(c.txtCLRPowerAdjust, t.CLRPowerAdjust);
    SetTextIfChanged(c.txtCSBSBOPhase, t.CSBSBOPhase);
}

TheodoliteTexts PathTexts(const PathControls& c) {
    return {c.txtThPathAngle.Text(), c.txtThPathWidth.Text(), c.txtThX.Text(), c.txtThY.Text(), c.txtThZ.Text()};
}

void ShowPathTexts(const PathControls& c, const TheodoliteTexts& t) {
    c.txtThPathAngle.SetText(t.ThPathAngle);
    c.txtThPathWidth.SetText(t.ThPathWidth);
    c.txtThX.SetText(t.ThX);
    c.txtThY.SetText(t.ThY);
    c.txtThZ.SetText(t.ThZ);
}

void ShowPathTextsChanged(const PathControls& c, const TheodoliteTexts& t) {
    SetTextIfChanged(c.txtThPathAngle, t.ThPathAngle);
    SetTextIfChanged(c.txtThPathWidth, t.ThPathWidth);
    SetTextIfChanged(c.txtThX, t.ThX);
    SetTextIfChanged(c.txtThY, t.ThY);
    SetTextIfChanged(c.txtThZ, t.ThZ);
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

void ShowFlightTexts(const FlightPanelControls& c, const FlightPanelTexts& t) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        c.txtFltX(i).SetText(t.FltX[k]);
        c.txtFltY(i).SetText(t.FltY[k]);
        c.txtFltZ(i).SetText(t.FltZ[k]);
        c.txtFltAz(i).SetText(t.FltAz[k]);
        c.txtFltEl(i).SetText(t.FltEl[k]);
        c.txtFltRange(i).SetText(t.FltRange[k]);
        c.txtFltAlt(i).SetText(t.FltAlt[k]);
    }
    c.txtFltNumPoints.SetText(t.FltNumPoints);
}

void ShowFlightTextsChanged(const FlightPanelControls& c, const FlightPanelTexts& t) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        SetTextIfChanged(c.txtFltX(i), t.FltX[k]);
        SetTextIfChanged(c.txtFltY(i), t.FltY[k]);
        SetTextIfChanged(c.txtFltZ(i), t.FltZ[k]);
        SetTextIfChanged(c.txtFltAz(i), t.FltAz[k]);
        SetTextIfChanged(c.txtFltEl(i), t.FltEl[k]);
        SetTextIfChanged(c.txtFltRange(i), t.FltRange[k]);
        SetTextIfChanged(c.txtFltAlt(i), t.FltAlt[k]);
    }
    SetTextIfChanged(c.txtFltNumPoints, t.FltNumPoints);
}

void ShowFlightPanelState(const FlightPanelControls& c, const FlightPanelState& s) {
    const auto apply = [](plat::TextBox& box, const BoxState& state) {
        box.SetEnabled(state.Enabled);
        box.SetBackColor(state.BackColor);
    };
    c.lblX(1).SetCaption(s.Captions[0]);
    c.lblY(1).SetCaption(s.Captions[1]);
    c.lblZ(1).SetCaption(s.Captions[2]);
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
