#include "editors/panels/EditorPanels.h"

#include <utility>

#include "editors/elemparm/frmElemParm.h"
#include "editors/panels/AntennaPanel.h"
#include "editors/panels/FlightPanel.h"
#include "editors/panels/PresetsPanel.h"
#include "editors/panels/TheodolitePanel.h"
#include "shell/mainwindow/frmMain.h"

void AttachEditorPanels(class frmMain& w, std::function<void()> collectParameters) {
    AttachAntennaPanel(w);
    AttachPresetsPanel(w);
    AttachTheodolitePanel(w, std::move(collectParameters));
    AttachFlightPanel(w);
    w.Menu("mnuElemParm").Click = [] { frmElemParm().Show(plat::Form::Modality::Modal); };
}
