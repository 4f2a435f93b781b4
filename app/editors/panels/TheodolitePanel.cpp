#include "editors/panels/TheodolitePanel.h"

#include <utility>

#include "editors/logic/Theodolite.h"
#include "editors/panels/PanelBoxes.h"
#include "shell/model/ModelVariables.h"

namespace {

constexpr plat::NumericSteps kConvertAndGuard{true, true};
constexpr plat::NumericSteps kGuardOnly{false, true};

} // namespace

void AttachTheodolitePanel(class frmMain& w, std::function<void()> collectParameters) {
    MakeNumeric(*w.txtThPathAngle, kGuardOnly, kConvertAndGuard);
    MakeNumeric(*w.txtThPathWidth, kGuardOnly, kConvertAndGuard);
    for (plat::TextBox* box : {w.txtThX.get(), w.txtThY.get(), w.txtThZ.get()}) {
        MakeNumeric(*box, kConvertAndGuard, kConvertAndGuard);
        box->LostFocus = [&w] {
            TheodoliteTexts path = w.PathTexts();
            ValidateTheodolite(path);
            ShowPathTextsChanged(w, path);
        };
    }
    w.cmdFindTheod->Click = [&w, collect = std::move(collectParameters)] {
        collect();
        TheodoliteTexts path = w.PathTexts();
        CalculateTheodolite(w.AntennaTexts(), path, Model().NumAnts);
        ShowPathTextsChanged(w, path);
    };
}
