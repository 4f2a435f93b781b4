#include "editors/panels/PresetsPanel.h"

#include "editors/logic/ArrayPresets.h"
#include "editors/panels/PanelBoxes.h"
#include "shell/model/ModelVariables.h"

namespace {

void cmbPresets_Click(class frmMain& w) {
    AntennaPanelTexts t = w.AntennaTexts();
    TheodoliteTexts path = w.PathTexts();
    const bool includeCurPhase = w.chkIncludeCurPhase->Value() == 1;
    const std::optional<std::uint8_t> numAnts =
        ApplyPreset(w.cmbPresets->ListIndex(), t, path, includeCurPhase, Model(), w.BaseFeedValues);
    if (numAnts) {
        // The option button's own click lays the panel out again; the preset changes no box there.
        ShowAntennaLayout(w, LayoutAntennaPanel(*numAnts));
        w.optNumAnts(*numAnts - 1).SetValue(true);
    }
    ShowAntennaTextsChanged(w, t);
    ShowPathTextsChanged(w, path);
}

} // namespace

void AttachPresetsPanel(class frmMain& w) {
    w.cmbPresets->Click = [&w] { cmbPresets_Click(w); };
    for (int index = 1; index <= 3; ++index) {
        w.cmdProp(index).Click = [&w, index] {
            AntennaPanelTexts t = w.AntennaTexts();
            HeightRatio(index, t.AntZ);
            ShowAntennaTextsChanged(w, t);
        };
    }
}
