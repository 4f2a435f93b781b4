#include "editors/panels/PanelBoxes.h"

#include <utility>

#include "shell/model/ModelVariables.h"

void MakeNumeric(plat::TextBox& box, plat::NumericSteps enter, plat::NumericSteps leave) {
    box.SetNumericBehaviour({enter, leave, [] { return Model().LengthUnit; }});
}

AntennaColumn& ColumnBoxes(class frmMain& w, AntBox box) {
    switch (box) {
    case AntBox::X:
        return w.txtAntX;
    case AntBox::Y:
        return w.txtAntY;
    case AntBox::Z:
        return w.txtAntZ;
    case AntBox::Rot:
        return w.txtAntRot;
    case AntBox::Atten:
        return w.txtAntAtten;
    case AntBox::PhaseAdj:
        return w.txtAntPhaseAdj;
    case AntBox::SBOMag:
        return w.txtAntSBOMag;
    case AntBox::SBOPhase:
        return w.txtAntSBOPhase;
    case AntBox::CSBMag:
        return w.txtAntCSBMag;
    case AntBox::CSBPhase:
        return w.txtAntCSBPhase;
    case AntBox::CLRMag:
        return w.txtAntCLRMag;
    case AntBox::CLRPhase:
        break;
    }
    return w.txtAntCLRPhase;
}

void SetTextIfChanged(plat::TextBox& box, const std::string& text) {
    if (box.Text() != text)
        box.SetText(text);
}

void ShowAntennaTextsChanged(class frmMain& w, const AntennaPanelTexts& t) {
    SetTextIfChanged(*w.txtArrayFreq, t.ArrayFreq);
    SetTextIfChanged(*w.txtArrayARatio, t.ArrayARatio);
    SetTextIfChanged(*w.txtArrayModDepth, t.ArrayModDepth);
    SetTextIfChanged(*w.txtArrayCLRModDepth, t.ArrayCLRModDepth);
    if (w.cmbAntOrient->ListIndex() != t.AntOrientListIndex)
        w.cmbAntOrient->SetListIndex(t.AntOrientListIndex);
    for (const frmMain::AntennaRow& row : frmMain::AntennaRows()) {
        for (int i = 0; i < 3; ++i)
            SetTextIfChanged((w.*row.boxes)(i), (t.*row.texts)[static_cast<std::size_t>(i)]);
    }
    SetTextIfChanged(*w.txtSBOPowerAdj, t.SBOPowerAdj);
    SetTextIfChanged(*w.txtCLRPowerAdjust, t.CLRPowerAdjust);
    SetTextIfChanged(*w.txtCSBSBOPhase, t.CSBSBOPhase);
}

void ShowPathTextsChanged(class frmMain& w, const TheodoliteTexts& t) {
    SetTextIfChanged(*w.txtThPathAngle, t.ThPathAngle);
    SetTextIfChanged(*w.txtThPathWidth, t.ThPathWidth);
    SetTextIfChanged(*w.txtThX, t.ThX);
    SetTextIfChanged(*w.txtThY, t.ThY);
    SetTextIfChanged(*w.txtThZ, t.ThZ);
}

void ShowFlightTextsChanged(class frmMain& w, const FlightPanelTexts& t) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        SetTextIfChanged(w.txtFltX(i), t.FltX[k]);
        SetTextIfChanged(w.txtFltY(i), t.FltY[k]);
        SetTextIfChanged(w.txtFltZ(i), t.FltZ[k]);
        SetTextIfChanged(w.txtFltAz(i), t.FltAz[k]);
        SetTextIfChanged(w.txtFltEl(i), t.FltEl[k]);
        SetTextIfChanged(w.txtFltRange(i), t.FltRange[k]);
        SetTextIfChanged(w.txtFltAlt(i), t.FltAlt[k]);
    }
    SetTextIfChanged(*w.txtFltNumPoints, t.FltNumPoints);
}

void ShowAntennaLayout(class frmMain& w, const AntennaPanelLayout& layout) {
    for (int i = 0; i < 3; ++i)
        w.Label2(3 + i).SetCaption(layout.Captions[static_cast<std::size_t>(i)]);
    // Each column: first every box's Enabled flag, then every box's colour.
    const std::pair<int, const ColumnState*> columns[] = {{1, &layout.Middle}, {2, &layout.Upper}};
    for (const auto& [col, state] : columns) {
        for (AntBox box : state->Boxes)
            ColumnBoxes(w, box)(col).SetEnabled(state->Enabled);
        for (AntBox box : state->Boxes)
            ColumnBoxes(w, box)(col).SetBackColor(state->BackColor);
    }
}
