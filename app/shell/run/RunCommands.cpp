#include "shell/run/RunCommands.h"

#include "editors/logic/FlightProfile.h"
#include "editors/logic/Theodolite.h"
#include "platform/services/Clock.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/PictureBox.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/modelio/ModelTexts.h"
#include "shell/run/frmGeneric.h"
#include "shell/run/frmMulOutputs.h"
#include "shell/run/frmOutput.h"

namespace {

class GridCellsOf final : public GroundGridCells {
public:
    explicit GridCellsOf(plat::FlexGrid& grid) : grid_(grid) {}
    int Rows() const override { return grid_.Rows(); }
    std::string TextMatrix(int row, int col) const override { return grid_.TextMatrix(row, col); }
    void SetTextMatrix(int row, int col, const std::string& text) override {
        grid_.SetTextMatrix(row, col, text);
    }
    void SetRedraw(bool redraw) override { grid_.SetRedraw(redraw); }

private:
    plat::FlexGrid& grid_;
};

int NumAntsOption(const class frmMain& w) {
    for (int i = 0; i < 3; ++i) {
        if (w.optNumAnts(i).Value())
            return i;
    }
    return -1;
}

// The window's controls as the collector takes them.
MainWindowTexts WindowTexts(const class frmMain& w) {
    MainWindowTexts t;
    t.antenna = w.AntennaTexts();
    t.path = w.PathTexts();
    t.flight = w.FlightTexts();
    t.flightListText = w.cmbFlight->ListIndex() >= 0 ? w.cmbFlight->Text() : "";
    t.numAntsOption = NumAntsOption(w);
    t.mnuRay = w.Menu("mnuRay").Checked();
    t.mnuGTD = w.Menu("mnuGTD").Checked();
    t.mnuPO = w.Menu("mnuPO").Checked();
    t.mnuUseSI = w.Menu("mnuUseSI").Checked();
    t.mnuUse3D = w.Menu("mnuUse3D").Checked();
    return t;
}

void CollectWindow(class frmMain& w) {
    GridCellsOf grid(*w.grdGround);
    CollectParameters(WindowTexts(w), grid, Model());
}

void ValidateWindowTheodolite(class frmMain& w) {
    TheodoliteTexts path = w.PathTexts();
    ValidateTheodolite(path);
    w.ShowPathTexts(path);
}

// The window's common dialog, its cancel raising an error only while it is open.
std::optional<std::string> SaveDialog(class frmMain& w, const std::string& filter,
                                      const std::string& fileName) {
    w.CommonDialog1.Filter = filter;
    w.CommonDialog1.FileName = fileName;
    w.CommonDialog1.CancelError = true;
    try {
        w.CommonDialog1.ShowSave();
    } catch (const plat::DialogCancelledError&) {
        w.CommonDialog1.CancelError = false;
        return std::nullopt;
    }
    w.CommonDialog1.CancelError = false;
    return w.CommonDialog1.FileName;
}

class WindowRunHost final : public RunHost {
public:
    explicit WindowRunHost(class frmMain& w) : w_(w) {}

    void CollectParameters() override { CollectWindow(w_); }
    WriteStatus WriteParamFile() override {
        GridCellsOf grid(*w_.grdGround);
        ParamFileUi ui;
        ui.askOverwrite = [](const std::string& text) {
            switch (plat::MsgBox(text, plat::vbYesNoCancel)) {
            case plat::vbYes:
                return OverwriteAnswer::Yes;
            case plat::vbNo:
                return OverwriteAnswer::No;
            default:
                return OverwriteAnswer::Cancel;
            }
        };
        ui.saveDialog = [this](const std::string& fileName, const std::string& filter) {
            return SaveDialog(w_, filter, fileName);
        };
        ui.showInFile = [this](const std::string& s) { w_.lblInFile->SetCaption(s); };
        ui.show3DFile = [this](const std::string& s) { w_.lbl3DFile->SetCaption(s); };
        const ParamFileView view{grid, w_.Menu("mnuUseSI").Checked(), w_.Menu("mnuUse3D").Checked()};
        return ::WriteParamFile(Model(), view, ui);
    }
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
    CollectWindow(w);
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
    CollectWindow(w);
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
