#include "editors/panels/TheodolitePanel.h"

#include <utility>

#include "editors/logic/Theodolite.h"
#include "editors/panels/PanelBoxes.h"
#include "editors/panels/PanelControls.h"
#include "shell/model/ModelVariables.h"

using namespace editors;
using namespace shell;

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};

} // namespace

void AttachTheodolitePanel(const PathControls& c, const AntennaPanelControls& antenna,
                           std::function<void()> collectParameters) {
    MakeNumeric(c.txtThPathAngle, kGuardOnly, kConvertAndGuard);
    MakeNumeric(c.txtThPathWidth, kGuardOnly, kConvertAndGuard);
    for (plat::TextBox* box : {&c.txtThX, &c.txtThY, &c.txtThZ}) {
        MakeNumeric(*box, kConvertAndGuard, kConvertAndGuard);
        box->LostFocus = [&c] {
            TheodoliteTexts path = PathTexts(c);
            ValidateTheodolite(path);
            ShowPathTexts(c, path, ShowMode::Changed);
        };
    }
    c.cmdFindTheod.Click = [&c, &antenna, collect = std::move(collectParameters)] {
        collect();
        TheodoliteTexts path = PathTexts(c);
        CalculateTheodolite(AntennaTexts(antenna), path, Model().NumAnts);
        ShowPathTexts(c, path, ShowMode::Changed);
    };
}
