#include "shell/run/RunCommands.h"

#include <memory>

#include "editors/logic/FlightProfile.h"
#include "editors/logic/Theodolite.h"
#include "editors/panels/PanelBoxes.h"
#include "editors/panels/PanelControls.h"
#include "platform/services/Clock.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Toolbar.h"
#include "plot/ui/PlotLinks.h"
#include "plot/ui/frmPlot.h"
#include "shell/run/frmGeneric.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"
#include "shell/run/logic/RunInputCheck.h"

using namespace editors;
using namespace shell;

namespace {

using Controls = std::shared_ptr<const RunCommandControls>;

void ValidateWindowTheodolite(const RunCommandControls& w) {
    TheodoliteTexts path = PathTexts(w.path);
    ValidateTheodolite(path);
    ShowPathTexts(w.path, path);
}

class WindowRunHost final : public RunHost {
public:
    explicit WindowRunHost(const RunCommandControls& w) : w_(w) {}

    void CollectParameters() override {
        // A count typed and not yet left runs as the box's own rules make it, and the box shows it.
        plat::TextBox& points = w_.flight.txtFltNumPoints;
        SetTextIfChanged(points, WholeNumPointsText(ValidateNumPointsText(points.Text())));
        w_.collectParameters();
    }
    std::optional<std::string> RunInputProblem() override {
        const auto numAnts = static_cast<std::uint8_t>(NumAntsOption(w_.antenna) + 1);
        const bool use3D = w_.mnuUse3D.Checked();
        if (auto problem = shell::RunInputProblem(AntennaTexts(w_.antenna), numAnts, w_.grdGround, use3D))
            return problem;
        const ModelVariables& m = Model();
        return RunCapacityProblem(w_.grdGround, use3D, IsUnnamedModel(m.InFile) ? "temp.inp" : m.InFile, m.File3D);
    }
    std::string EngineReport() override {
        // The engine writes its report into the current directory.
        return ReadEngineReport(kEngineReportFile);
    }
    WriteStatus WriteParamFile() override { return w_.writeParamFile(); }
    void ShowOutFile(const std::string& text) override { w_.lblOutFile.SetCaption(text); }
    void HideChangedMarker() override { w_.lblChanged.SetVisible(false); }
    void ShowWaitWindow() override { frmGeneric().Show(plat::Form::Modality::Modeless); }
    void UnloadWaitWindow() override { UnloadWaitWindowIfLoaded(); }
    void SetRunCommandsEnabled(bool enabled) override {
        for (plat::MenuItem* item : {&w_.mnuRunSim, &w_.mnuRunAndPlot, &w_.mnuGenAll, &w_.mnuSave, &w_.mnuLoad})
            item->SetEnabled(enabled);
        for (int b : {2, 3, 6, 7})
            w_.Toolbar1.Buttons(b).SetEnabled(enabled);
        w_.Image1.SetEnabled(enabled);
    }
    void DoEvents(int waitMilliseconds) override { plat::DoEvents(waitMilliseconds); }
    void ShowMessage(const std::string& text, RunMessageIcon icon, const std::string& title) override {
        plat::MsgBox(text, icon == RunMessageIcon::Critical ? plat::vbCritical : plat::vbExclamation, title);
    }
    plat::IEngine& Engine() override { return plat::Engine(); }

private:
    const RunCommandControls& w_;
};

// The output-antenna check: false (after its message) when the output's antenna is not selected.
bool OutputAntennaChecked(const RunCommandControls& w) {
    if (OutputAntennaExists(Model().YAxisVar, NumAntsOption(w.antenna)))
        return true;
    plat::MsgBox(kNoSuchAntennaText, plat::vbExclamation);
    return false;
}

void Run(const RunCommandControls& w) {
    WindowRunHost host(w);
    RunSimulation(host, Model(), MainRunState());
}

void mnuRunSim_Click(const RunCommandControls& w) {
    ValidateWindowTheodolite(w);
    if (!OutputAntennaChecked(w))
        return;
    Run(w);
}

void mnuRunAndPlot_Click(const RunCommandControls& w) {
    if (!OutputAntennaChecked(w))
        return;
    ValidateWindowTheodolite(w);
    w.collectParameters();
    Run(w);
    if (!MainRunState().Finished)
        return;
    Model().PlotFlightType = FlightTypeOfListIndex(w.cmbFlight.ListIndex());
    ShowPlotWindow();
}

void Toolbar_RunAndPlot(const RunCommandControls& w) {
    ValidateWindowTheodolite(w);
    if (!OutputAntennaChecked(w))
        return;
    Run(w);
    if (!MainRunState().Finished)
        return;
    Model().PlotFlightType = FlightTypeOfListIndex(w.cmbFlight.ListIndex());
    w.collectParameters();
    ShowPlotWindow();
}

void mnuPlot_Click(const RunCommandControls& w) {
    Model().PlotFlightType = FlightTypeOfListIndex(w.cmbFlight.ListIndex());
    ValidateWindowTheodolite(w);
    w.collectParameters();
    ShowPlotWindow();
}

void mnuGenAll_Click(const RunCommandControls& w) {
    class frmMulOutputs& dialog = frmMulOutputs();
    dialog.NumAntsOption = [&w] { return NumAntsOption(w.antenna); };
    dialog.Show(plat::Form::Modality::Modal);
    const bool generate = dialog.boolGen;
    const std::string checks = dialog.strChecks;
    if (!generate)
        return;
    WindowRunHost host(w);
    RunBatch(host, Model(), MainRunState(), checks, [&w] { ValidateWindowTheodolite(w); });
}

} // namespace

RunState& MainRunState() {
    static RunState state;
    return state;
}

void AttachRunControl(const RunCommandControls& c) {
    const Controls w = std::make_shared<const RunCommandControls>(c);
    SetWaitWindowOwner(w->mainWindow);
    w->mnuRunSim.Click = [w] { mnuRunSim_Click(*w); };
    w->mnuRunAndPlot.Click = [w] { mnuRunAndPlot_Click(*w); };
    w->mnuPlot.Click = [w] { mnuPlot_Click(*w); };
    w->mnuGenAll.Click = [w] { mnuGenAll_Click(*w); };
    w->mnuOutput.Click = [] { frmOutput().Show(plat::Form::Modality::Modal); };

    SetPlotWindowLinks({[w] { return w->mnuUseSI.Checked(); }, [](std::uint8_t item) {
                            return item >= 1 && item <= kYAxisItems.size() ? std::string(kYAxisItems[item - 1])
                                                                           : std::string();
                        }});

    // Buttons 6 to 8 (and the keys F5 to F7, which press them) are the run and plot commands; the
    // window's own handler keeps the others.
    auto buttons = w->Toolbar1.ButtonClick;
    w->Toolbar1.ButtonClick = [w, buttons](int index) {
        if (index == 6)
            mnuRunSim_Click(*w);
        else if (index == 7)
            Toolbar_RunAndPlot(*w);
        else if (index == 8)
            mnuPlot_Click(*w);
        else if (buttons)
            buttons(index);
    };
}
