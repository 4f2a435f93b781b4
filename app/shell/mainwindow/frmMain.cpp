#include "shell/mainwindow/frmMain.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>

#include "editors/ground/GroundGridPanel.h"
#include "editors/logic/ArrayPresets.h"
#include "editors/panels/EditorPanels.h"
#include "editors/panels/PanelControls.h"
#include "ground/digitise/ui/frmDigitizeGround.h"
#include "ground/ui/frmEdit3D.h"
#include "platform/services/MessageBox.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "plot/ui/PlotLinks.h"
#include "plot/ui/frmPlotParams.h"
#include "shell/dialogs/frmNewAbout.h"
#include "shell/dialogs/frmOriginHelp.h"
#include "shell/mainwindow/ModelLink.h"
#include "shell/mainwindow/ToolbarIcons.h"
#include "shell/mainwindow/logic/MenuTable.h"
#include "shell/run/RunCommands.h"
#include "viewer/ui/frmViewGround.h"
#include "shell/model/ParamFile.h"

using namespace editors;
using namespace shell;

namespace {

int FunctionKey(std::string_view shortcut) {
    return shortcut.size() >= 2 && shortcut[0] == 'F' ? plat::key::F1 + std::stoi(std::string(shortcut.substr(1))) - 1
                                                       : 0;
}

// A button whose command has no handler yet stays disabled whatever the mode would allow.
void Offer(plat::CommandButton& button, bool enabled) { button.SetEnabled(enabled && static_cast<bool>(button.Click)); }

// Sees the window's close box before the window does: a close that mayClose refuses is dropped.
class CloseBoxFilter final : public QObject {
public:
    explicit CloseBoxFilter(std::function<bool()> mayClose) : mayClose_(std::move(mayClose)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close || mayClose_())
            return QObject::eventFilter(watched, event);
        event->ignore();
        return true;
    }

private:
    std::function<bool()> mayClose_;
};

} // namespace

ShellState& MainShellState() {
    static ShellState state;
    return state;
}

class frmMain::Host final : public ShellHost {
public:
    explicit Host(frmMain& w) : w_(w) {}

    std::optional<std::string> ShowOpenDialog(const std::string& filter, const std::string& fileName) override {
        return w_.FileDialog(plat::FileDialogKind::Open, filter, fileName);
    }
    std::optional<std::string> ShowSaveDialog(const std::string& filter, const std::string& fileName) override {
        return w_.FileDialog(plat::FileDialogKind::Save, filter, fileName);
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        plat::MsgBox(text, icon == MessageIcon::Critical ? plat::vbCritical : plat::vbExclamation, title);
    }
    SaveChangesAnswer AskSaveChanges(const std::string& text) override {
        switch (plat::MsgBox(text, plat::vbYesNoCancel + plat::vbQuestion)) {
        case plat::vbYes: return SaveChangesAnswer::Yes;
        case plat::vbNo: return SaveChangesAnswer::No;
        default: return SaveChangesAnswer::Cancel;
        }
    }

    void PresetDefaults() override {
        AntennaPanelTexts panel = w_.AntennaTexts();
        TheodoliteTexts path = w_.PathTexts();
        editors::PresetDefaults(panel, path, Model());
        w_.ShowAntennaTexts(panel);
        w_.ShowPathTexts(path);
    }
    void InitGroundGrid(int rows) override { w_.InitGroundGrid(rows); }
    void SelectAntOrient(int index) override { w_.cmbAntOrient->SetListIndex(index); }
    void SelectFlight(int index) override { w_.cmbFlight->SetListIndex(index); }
    void SelectPreset(int index) override { w_.cmbPresets->SetListIndex(index); }
    void SetFltNumPointsText(const std::string& text) override { w_.txtFltNumPoints->SetText(text); }
    bool LoadParamFile(const std::string& path) override { return w_.model_->Load(path); }
    void ShowParameters() override { w_.model_->Show(); }
    void CollectParameters() override { w_.CollectParameters(); }
    ParamWriteResult WriteParamFile() override { return w_.WriteModel(); }

    void SetCaption(const std::string& caption) override { w_.SetCaption(caption); }
    void ShowFileLabel(FileLabel label, const std::string& text) override {
        switch (label) {
        case FileLabel::InFile: w_.lblInFile->SetCaption(text); break;
        case FileLabel::OutFile: w_.lblOutFile->SetCaption(text); break;
        case FileLabel::File3D: w_.lbl3DFile->SetCaption(text); break;
        }
    }
    std::string FileLabelText(FileLabel label) const override {
        switch (label) {
        case FileLabel::InFile: return w_.lblInFile->Caption();
        case FileLabel::OutFile: return w_.lblOutFile->Caption();
        case FileLabel::File3D: return w_.lbl3DFile->Caption();
        }
        return {};
    }
    bool ChangedMarkerVisible() const override { return w_.lblChanged->Visible(); }
    bool UnsavedEdits() const override { return w_.unsavedEdits_; }
    void MarkModelUnedited() override {
        w_.lblChanged->SetVisible(false);
        w_.unsavedEdits_ = false;
    }
    bool Use3DChecked() const override { return w_.Menu("mnuUse3D").Checked(); }
    void SetUse3DChecked(bool checked) override { w_.Menu("mnuUse3D").SetChecked(checked); }
    void SetUseSIChecked(bool checked) override { w_.Menu("mnuUseSI").SetChecked(checked); }
    FieldModelChecks FieldModelMenus() const override {
        return {w_.Menu("mnuRay").Checked(), w_.Menu("mnuGTD").Checked(), w_.Menu("mnuPO").Checked()};
    }
    void SetFieldModelMenus(const FieldModelChecks& checks) override {
        w_.Menu("mnuRay").SetChecked(checks.Ray);
        w_.Menu("mnuGTD").SetChecked(checks.GTD);
        w_.Menu("mnuPO").SetChecked(checks.PO);
    }
    void SetFieldModelButton(int button) override {
        for (int b = 10; b <= 12; ++b)
            w_.Toolbar1->Buttons(b).SetValue(b == button ? 1 : 0);
    }
    void SetGroundModeControls(bool use3D) override {
        w_.grdGround->SetEnabled(!use3D);
        w_.grdGround->SetForeColor(use3D ? plat::kSystemButtonFace : plat::kSystemInfoText);
        w_.Toolbar1->Buttons(5).SetImage(
            static_cast<int>(use3D ? ToolbarImage::Ground3D : ToolbarImage::Ground2D));
        Offer(*w_.cmdFlat, !use3D);
        // Restore writes back the heights of the profile last flattened, and only into that profile.
        Offer(*w_.cmdRestoreGnd, !use3D && w_.groundPanel_->CanRestore());
        Offer(*w_.cmdView2D, !use3D);
        Offer(*w_.cmdDigi2D, !use3D);
        Offer(*w_.Command2, use3D);
    }

private:
    frmMain& w_;
};

// The viewer reads the ground grid the model chooses: this window's profile, or the ground editor's
// cuts. The cuts are copied while the editor is open, so that a viewer left open after the editor
// has closed reads the last of them rather than a closed window.
ViewGroundHost frmMain::ViewerHost() {
    auto cuts = std::make_shared<plat::GridModel>();
    ViewGroundHost host;
    host.groundGrid = [this, cuts]() -> const plat::GridModel* {
        if (Model().ViewGroundSource == 0)
            return grdGround.get();
        if (Edit3DLoaded()) {
            const plat::GridModel& editor = *frmEdit3D().grdGround;
            cuts->SetCols(editor.Cols());
            cuts->SetRows(editor.Rows());
            for (int r = 0; r < editor.Rows(); ++r)
                for (int c = 0; c < editor.Cols(); ++c)
                    cuts->SetTextMatrix(r, c, editor.TextMatrix(r, c));
        }
        return cuts.get();
    };
    host.antennaBoxes = [this] {
        viewer::AntennaBoxes boxes;
        for (int i = 0; i < 3; ++i)
            if (optNumAnts(i).Value())
                boxes.NumAntsIndex = i;
        for (int i = 0; i < 3; ++i) {
            const auto k = static_cast<std::size_t>(i);
            boxes.X[k] = txtAntX(i).Text();
            boxes.Y[k] = txtAntY(i).Text();
            boxes.Z[k] = txtAntZ(i).Text();
        }
        return boxes;
    };
    host.setAntennaBoxes = [this](const viewer::AntennaBoxes& boxes) {
        for (int i = 0; i < 3; ++i) {
            const auto k = static_cast<std::size_t>(i);
            for (auto [box, text] : {std::pair{&txtAntX(i), &boxes.X[k]}, std::pair{&txtAntY(i), &boxes.Y[k]},
                                     std::pair{&txtAntZ(i), &boxes.Z[k]}})
                if (box->Text() != *text)
                    box->SetText(*text);
        }
    };
    host.useSI = [this] { return Menu("mnuUseSI").Checked(); };
    host.openedByView2D = [this] { return cmdView2D->Value(); };
    host.commonDialog = &CommonDialog1;
    return host;
}

frmMain::frmMain()
    : plat::Form("frmMain"), host_(std::make_unique<Host>(*this)) {
    SetKeyPreview(true);
    BuildMenus();
    BuildToolbar();
    BuildArrayPanel();
    BuildAntennaPanel();
    BuildPathPanels();
    BuildFlightPanel();
    BuildGroundPanel();
    groundPanel_ = std::make_unique<GroundGridPanel>(*grdGround, *txtData, *cmdFlat, *cmdRestoreGnd, Model().LengthUnit);
    Command2->Click = [this] { mnuEdit3D_Click(); };
    frmViewGround::DefaultHost() = ViewerHost();
    cmdView2D->Click = [this] {
        Model().ViewGroundSource = Menu("mnuUse3D").Checked() ? 1 : 0;
        frmViewGround().Show();
    };
    // The digitiser writes its points into the profile grid and leaves the window in 2D ground mode:
    // an edit of the model, as a key typed into the window is.
    cmdDigi2D->Click = [this] {
        auto& digitiser = frmDigitizeGround();
        digitiser.SetHost({grdGround.get(), [] { return frmEdit3D().Visible(); }, [this] {
                               ShowGroundMode(false);
                               MarkModelEdited();
                           }});
        digitiser.Show(plat::Form::Modality::Modal);
    };
    BuildFileLabels();
    BuildPanelControls();
    model_ = std::make_unique<ModelLink>(*this);
    SetClientSize(plat::PixelsToTwips(kClientWidth), plat::PixelsToTwips(kClientHeight));
    EndProgram = [] { QCoreApplication::quit(); };
    SetPlotOutFileCaption([this] { return lblOutFile->Caption(); });

    Image1->Click = [this] { LoadFromImage(*host_, Model()); };
    Load = [this] { Form_Load(); };
    Activate = [] { shell::Activate(Model()); };
    KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    KeyPress = [this](int& keyAscii) { Form_KeyPress(keyAscii); };
    Unload = [this](int& cancel) { Form_Unload(cancel); };
    closeBox_ = std::make_unique<CloseBoxFilter>([this] { return CloseBox(); });
    Window()->installEventFilter(closeBox_.get());
    AttachEditorPanels(*panels_, [this] { model_->Collect(); });
    AttachRunControl({.mnuRunSim = Menu("mnuRunSim"),
                      .mnuRunAndPlot = Menu("mnuRunAndPlot"),
                      .mnuPlot = Menu("mnuPlot"),
                      .mnuGenAll = Menu("mnuGenAll"),
                      .mnuOutput = Menu("mnuOutput"),
                      .mnuSave = Menu("mnuSave"),
                      .mnuLoad = Menu("mnuLoad"),
                      .Toolbar1 = *Toolbar1,
                      .Image1 = *Image1,
                      .lblOutFile = *lblOutFile,
                      .lblChanged = *lblChanged,
                      .cmbFlight = *cmbFlight,
                      .antenna = panels_->antenna,
                      .path = panels_->path,
                      .flight = panels_->flight,
                      .grdGround = *grdGround,
                      .mnuUse3D = Menu("mnuUse3D"),
                      .mnuUseSI = Menu("mnuUseSI"),
                      .mainWindow = []() -> const plat::Form& { return ::frmMain(); },
                      .collectParameters = [this] { CollectParameters(); },
                      .writeParamFile = [this] { return WriteParamFile(); }});
}

frmMain::~frmMain() {
    // The viewer's default host reads this window's controls.
    frmViewGround::DefaultHost() = {};
}

plat::MenuItem& frmMain::Menu(const std::string& name) const {
    for (plat::MenuItem* top : menus_) {
        if (plat::MenuItem* item = top->Find(name))
            return *item;
    }
    throw std::out_of_range("no menu item " + name);
}

void frmMain::BuildMenus() {
    plat::MenuItem* top = nullptr;
    for (const MenuEntry& e : MainMenuTable()) {
        plat::MenuItem& item = e.level == 0 ? AddMenu(std::string(e.name), std::string(e.caption))
                                            : top->Add(std::string(e.name), std::string(e.caption));
        if (e.level == 0) {
            top = &item;
            menus_.push_back(top);
        }
        item.SetVisible(e.visible);
        if (!e.shortcut.empty())
            item.SetShortcut(FunctionKey(e.shortcut));
    }
    Menu("mnuNew").Click = [this] { NewModel(*host_, Model()); };
    Menu("mnuLoad").Click = [this] { LoadModel(*host_, Model()); };
    Menu("mnuSave").Click = [this] { SaveModelAs(*host_, Model()); };
    Menu("mnuUse3D").Click = [this] { ToggleGroundMode(*host_, Model()); };
    Menu("mnuUseSI").Click = [this] { mnuUseSI_Click(); };
    Menu("mnu3DFilename").Click = [this] { ChooseGroundFile3D(); };
    Menu("mnuEdit3D").Click = [this] { mnuEdit3D_Click(); };
    Menu("mnuOutFile").Click = [this] { LoadOutputFile(*host_, Model()); };
    Menu("mnuFileExit").Click = [this] { mnuFileExit_Click(); };
    Menu("mnuRay").Click = [this] { SelectFieldModel(*host_, 0); };
    Menu("mnuGTD").Click = [this] { SelectFieldModel(*host_, 1); };
    Menu("mnuPO").Click = [this] { SelectFieldModel(*host_, 2); };
    Menu("mnuCoorHelp").Click = [] {
        Model().HelpPicture = 1;
        frmOriginHelp().Show(plat::Form::Modality::Modeless);
    };
    Menu("frmAbout").Click = [] { frmNewAbout().Show(plat::Form::Modality::Modal); };
    Menu("mnuPlotParms").Click = [] { frmPlotParams().Show(plat::Form::Modality::Modal); };
}

void frmMain::BuildToolbar() {
    for (int i = 1; i <= kToolbarImageCount; ++i)
        ToolbarImages.Add(ToolbarIcon(static_cast<ToolbarImage>(i)));
    Toolbar1 = std::make_unique<plat::Toolbar>(*this, "Toolbar1");
    Toolbar1->SetImageList(&ToolbarImages);
    for (const ToolbarEntry& b : ToolbarTable()) {
        Toolbar1->AddButton(b.separator ? plat::ToolbarButton::Style::Separator : plat::ToolbarButton::Style::Default,
                            std::string(b.tooltip), b.image);
    }
    Toolbar1->ButtonClick = [this](int index) { Toolbar1_ButtonClick(index); };
}

void frmMain::ShowGroundMode(bool use3D) {
    host_->SetUse3DChecked(use3D);
    host_->SetGroundModeControls(use3D);
}

void frmMain::Form_Load() {
    StartUp(*host_, Model(), MainShellState());
}

void frmMain::Form_KeyDown(int& keyCode, int /*shift*/) {
    // F5 run, F6 run and plot, F7 plot: the commands of toolbar buttons 6 to 8.
    if (keyCode >= plat::key::F5 && keyCode <= plat::key::F7)
        Toolbar1->Click(6 + keyCode - plat::key::F5);
}

void frmMain::Form_KeyPress(int& /*keyAscii*/) {
    MarkModelEdited();
}

void frmMain::MarkModelEdited() {
    lblChanged->SetVisible(true);
    unsavedEdits_ = true;
}

void frmMain::Form_Unload(int& /*cancel*/) { UnloadAllForms(); }

void frmMain::UnloadAllForms() {
    for (plat::Form* form : plat::LoadedForms()) {
        if (form != this)
            plat::Unload(*form);
    }
}

// A failure inside a toolbar command ends that command and nothing else.
void frmMain::Toolbar1_ButtonClick(int index) try {
    switch (index) {
    case 1: NewModel(*host_, Model()); break;
    case 2: SaveModelAs(*host_, Model()); break;
    case 3: LoadModel(*host_, Model()); break;
    case 5: ToggleGroundMode(*host_, Model()); break;
    case 10:
    case 11:
    case 12: SelectFieldModel(*host_, static_cast<std::uint8_t>(index - 10)); break;
    default: break;
    }
} catch (const std::exception&) {
    CommonDialog1.CancelError = false;
}

void frmMain::CollectParameters() { model_->Collect(); }

WriteStatus frmMain::WriteParamFile() { return WriteModel().status; }

ParamWriteResult frmMain::WriteModel() {
    ParamWriteResult result;
    ParamFileUi ui;
    ui.askOverwrite = [](const std::string& text) {
        switch (plat::MsgBox(text, plat::vbYesNoCancel)) {
        case plat::vbYes: return OverwriteAnswer::Yes;
        case plat::vbNo: return OverwriteAnswer::No;
        default: return OverwriteAnswer::Cancel;
        }
    };
    ui.saveDialog = [this](const std::string& fileName, const std::string& filter) {
        return FileDialog(plat::FileDialogKind::Save, filter, fileName);
    };
    ui.showInFile = [this](const std::string& s) { lblInFile->SetCaption(s); };
    ui.show3DFile = [this](const std::string& s) { lbl3DFile->SetCaption(s); };
    ui.writeFailed = [&result](const std::string& path, const std::string& reason) {
        result.path = path;
        result.reason = reason;
    };
    const ParamFileView view{*grdGround, Menu("mnuUseSI").Checked(), Menu("mnuUse3D").Checked()};
    result.status = shell::WriteParamFile(Model(), view, ui);
    if (result.status == WriteStatus::Written)
        unsavedEdits_ = false;
    return result;
}

std::optional<std::string> frmMain::FileDialog(plat::FileDialogKind kind, const std::string& filter,
                                               const std::string& fileName) {
    CommonDialog1.Filter = filter;
    CommonDialog1.FileName = fileName;
    CommonDialog1.CancelError = true;
    try {
        if (kind == plat::FileDialogKind::Open)
            CommonDialog1.ShowOpen();
        else
            CommonDialog1.ShowSave();
    } catch (const plat::DialogCancelledError&) {
        CommonDialog1.CancelError = false;
        return std::nullopt;
    }
    CommonDialog1.CancelError = false;
    return CommonDialog1.FileName;
}

void frmMain::ChooseGroundFile3D() {
    shell::ChooseGroundFile3D(*host_, Model());
}

bool frmMain::CloseBox() {
    if (!IsLoaded() || ending_)
        return true;
    return ExitAndEnd();
}

void frmMain::mnuFileExit_Click() { ExitAndEnd(); }

bool frmMain::ExitAndEnd() {
    if (!ExitProgram(*host_, Model(), MainShellState()))
        return false;
    ending_ = true;
    if (EndProgram)
        EndProgram();
    ending_ = false;
    return true;
}

void frmMain::mnuEdit3D_Click() {
    CollectParameters();
    auto& editor = frmEdit3D();
    editor.SetHost({[this] { return Menu("mnuUseSI").Checked(); },
                    [this](const std::string& caption) { lbl3DFile->SetCaption(caption); }, &CommonDialog1});
    editor.SetLeft(Left() + Width() / 2 - editor.Width() / 2);
    editor.SetTop(Top() + Height() / 2 - editor.Height() / 2);
    editor.Show(plat::Form::Modality::Modal);
}

void frmMain::InitGroundGrid(int rows) { groundPanel_->InitGroundGrid(rows); }

class frmMain& frmMain() {
    static plat::DefaultInstance<class frmMain> instance;
    return instance();
}
