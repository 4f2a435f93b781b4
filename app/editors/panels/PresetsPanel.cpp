#include "editors/panels/PresetsPanel.h"

#include "editors/logic/ArrayPresets.h"
#include "editors/panels/PanelBoxes.h"
#include "editors/panels/PanelControls.h"
#include "platform/grid/GridModel.h"
#include "shell/model/ModelVariables.h"
#include "shell/modelio/ModelTexts.h"

using namespace editors;
using namespace shell;

namespace {

// The antenna positions rewritten as the unit switch rewrites them.
void ConvertPositions(AntennaPanelTexts& t, bool toMetres) {
    MainWindowTexts all;
    all.antenna = t;
    plat::GridModel noGrid; // the positions only: no data row to convert
    noGrid.SetRows(1);
    ConvertDisplay(toMetres, 0, all, noGrid);
    t.AntX = all.antenna.AntX;
    t.AntY = all.antenna.AntY;
    t.AntZ = all.antenna.AntZ;
}

// The presets compute in feet (heights from 492 / f). While metres are shown, the positions go
// in as feet and those a preset wrote come back in metres, so that the next collection does not
// take feet for metres; the positions it left keep their text.
std::optional<std::uint8_t> ApplyPresetInFeet(const EditorPanelControls& c, int listIndex, AntennaPanelTexts& t,
                                              TheodoliteTexts& path) {
    const bool includeCurPhase = c.presets.chkIncludeCurPhase.Value() == 1;
    if (!c.mnuUseSI.Checked())
        return ApplyPreset(listIndex, t, path, includeCurPhase, Model(), c.antenna.BaseFeedValues);
    const AntennaPanelTexts shown = t;
    ConvertPositions(t, false);
    const AntennaPanelTexts inFeet = t;
    const std::optional<std::uint8_t> numAnts =
        ApplyPreset(listIndex, t, path, includeCurPhase, Model(), c.antenna.BaseFeedValues);
    AntennaPanelTexts inMetres = t;
    ConvertPositions(inMetres, true);
    for (ColumnTexts AntennaPanelTexts::*column :
         {&AntennaPanelTexts::AntX, &AntennaPanelTexts::AntY, &AntennaPanelTexts::AntZ}) {
        for (std::size_t i = 0; i < 3; ++i) {
            const bool written = (t.*column)[i] != (inFeet.*column)[i];
            (t.*column)[i] = written ? (inMetres.*column)[i] : (shown.*column)[i];
        }
    }
    return numAnts;
}

void cmbPresets_Click(const EditorPanelControls& c) {
    AntennaPanelTexts t = AntennaTexts(c.antenna);
    TheodoliteTexts path = PathTexts(c.path);
    const std::optional<std::uint8_t> numAnts = ApplyPresetInFeet(c, c.presets.cmbPresets.ListIndex(), t, path);
    if (numAnts) {
        // The option button's own click lays the panel out again; the preset changes no box there.
        ShowAntennaLayout(c.antenna, LayoutAntennaPanel(*numAnts));
        c.antenna.optNumAnts(*numAnts - 1).SetValue(true);
    }
    ShowAntennaTexts(c.antenna, t, ShowMode::Changed);
    ShowPathTexts(c.path, path, ShowMode::Changed);
}

} // namespace

void AttachPresetsPanel(const EditorPanelControls& c) {
    c.presets.cmbPresets.Click = [&c] { cmbPresets_Click(c); };
    for (int index = 1; index <= 3; ++index) {
        c.presets.cmdProp(index).Click = [&c, index] {
            AntennaPanelTexts t = AntennaTexts(c.antenna);
            HeightRatio(index, t.AntZ);
            ShowAntennaTexts(c.antenna, t, ShowMode::Changed);
        };
    }
}
