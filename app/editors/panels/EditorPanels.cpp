#include "editors/panels/EditorPanels.h"

#include <utility>

#include "editors/elemparm/frmElemParm.h"
#include "editors/panels/AntennaPanel.h"
#include "editors/panels/FlightPanel.h"
#include "editors/panels/PanelControls.h"
#include "editors/panels/PresetsPanel.h"
#include "editors/panels/TheodolitePanel.h"

void AttachEditorPanels(const EditorPanelControls& c, std::function<void()> collectParameters) {
    AttachAntennaPanel(c.antenna);
    AttachPresetsPanel(c);
    AttachTheodolitePanel(c.path, c.antenna, std::move(collectParameters));
    AttachFlightPanel(c.flight, c.mnuUseSI);
    c.mnuElemParm.Click = [] { frmElemParm().Show(plat::Form::Modality::Modal); };
}
