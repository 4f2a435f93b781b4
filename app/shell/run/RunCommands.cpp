#include "shell/run/RunCommands.h"

#include "editors/logic/FlightProfile.h"
#include "editors/logic/Theodolite.h"
#include "platform/services/Clock.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/PictureBox.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/run/frmGeneric.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"

namespace {

int NumAntsOption(const class frmMain& w) {
    for (int i = 0; i < 3; ++i) {
        if (w.optNumAnts(i).Value())
            return i;
    }
    return -1;
}

void ValidateWindowTheodolite(class frmMain& w) {
    TheodoliteTexts path = w.PathTexts();
    ValidateTheodolite(path);
    w.ShowPathTexts(path);
}

class WindowRunHost final : public RunHost {
public:
    explicit WindowRunHost(class frmMain& w) : w_(w) {}

    void CollectParameters() override { w_.CollectParameters(); }
    WriteStatus WriteParamFile() override { return w_.WriteParamFile(); }
    void ShowOutFile(const std::string& text) override { w_.lblOutFile->SetCaption(text); }
    void HideChangedMarker() override { w_.lblChanged->SetVisible(false); }
    void ShowWaitWindow() override { frmGeneric().Show(plat::Form::Modality::Modeless); }
    void UnloadWaitWindow() override { UnloadWaitWindowIfLoaded(); }
    void SetRunCommandsEnabled(bool enabled) override {
        for (const char* name : {"mnuRunSim", "mnuRunAndPlot", "mnuGenAll", "mnuSave", "mnuLoad"})
            w_.Menu(name).SetEnabled(enabled);
        for (int b : {2, 3, 6, 7})
            w_.Toolbar1->Buttons(b).SetEnabled(enabled);
        w_.Image1->SetEnabled(enabled);
    }
    void DoEvents(int waitMilliseconds) override { plat::DoEvents(waitMilliseconds); }
    void ShowMessage(const std::string& text, RunMessageIcon icon, const std::string& title) override {
        plat::MsgBox(text, icon == RunMessageIcon::Critical ? plat::vbCritical : plat::vbExclamation, title);
    }
    plat::IEngine& Engine() override { return plat::Engine(); }

private:
    class frmMain& w_;
};

// The output-antenna check: false (after its message) when the output's antenna is not selected.
bool OutputAntennaChecked(const class frmMain& w) {
    if (OutputAntennaExists(Model().YAxisVar, NumAntsOption(w)))
        return true;
    plat::MsgBox(kNoSuchAntennaText, plat::vbExclamation);
    return false;
}

void Run(class frmMain& w) {
    WindowRunHost host(w);
    RunSimulation(host, Model(), MainRunState());
}

void mnuRunSim_Click(class frmMain& w) {
    ValidateWindowTheodolite(w);
    if (!OutputAntennaChecked(w))
        return;
    Run(w);
}

void mnuRunAndPlot_Click(class frmMain& w) {
    if (!OutputAntennaChecked(w))
        return;
    ValidateWindowTheodolite(w);
    w.CollectParameters();
    Run(w);
    if (MainRunState().RunCancelled == 1)
        return;
    Model().PlotFlightType = FlightTypeOfListIndex(w.cmbFlight->ListIndex());
}

void Toolbar_RunAndPlot(class frmMain& w) {
    ValidateWindowTheodolite(w);
    if (!OutputAntennaChecked(w))
        return;
    Run(w);
    if (MainRunState().RunCancelled == 1)
        return;
    Model().PlotFlightType = FlightTypeOfListIndex(w.cmbFlight->ListIndex());
    w.CollectParameters();
}

void mnuGenAll_Click(class frmMain& w) {
    class frmMulOutputs& dialog = frmMulOutputs();
    dialog.NumAntsOption = [&w] { return NumAntsOption(w); };
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

void AttachRunControl(class frmMain& w) {
    w.Menu("mnuRunSim").Click = [&w] { mnuRunSim_Click(w); };
    w.Menu("mnuRunAndPlot").Click = [&w] { mnuRunAndPlot_Click(w); };
    w.Menu("mnuGenAll").Click = [&w] { mnuGenAll_Click(w); };
    w.Menu("mnuOutput").Click = [] { frmOutput().Show(plat::Form::Modality::Modal); };

    // Buttons 6 and 7 (and the keys F5 and F6, which press them) are the run commands; the window's
    // own handler keeps the others.
    auto buttons = w.Toolbar1->ButtonClick;
    w.Toolbar1->ButtonClick = [&w, buttons](int index) {
        if (index == 6)
            mnuRunSim_Click(w);
        else if (index == 7)
            Toolbar_RunAndPlot(w);
        else if (buttons)
            buttons(index);
    };
}
