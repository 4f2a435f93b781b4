#pragma once
// The main window: the program's frame (caption, menus, toolbar, keys, file labels, start-up and the
// file commands) around the editing panels, whose controls it holds under their own names.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>

#include "platform/services/FileDialog.h"
#include "shell/model/ParamFile.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Toolbar.h"
#include "editors/logic/FeedRules.h"
#include "editors/logic/FlightProfile.h"
#include "editors/logic/PanelTexts.h"
#include "shell/mainwindow/logic/ShellCommands.h"

namespace plat {
class PictureBox;
}
class GroundGridPanel;
struct EditorPanelControls;

class frmMain : public plat::Form {
public:
    frmMain();
    ~frmMain() override;

    // The client area in pixels.
    static constexpr int kClientWidth = 1118;
    static constexpr int kClientHeight = 724;

    // Ends the program after Exit (the application's quit by default; tests watch it instead).
    std::function<void()> EndProgram;

    // The panels' texts as the editors' rules take them.
    editors::AntennaPanelTexts AntennaTexts() const;
    void ShowAntennaTexts(const editors::AntennaPanelTexts& texts);
    editors::TheodoliteTexts PathTexts() const;
    void ShowPathTexts(const editors::TheodoliteTexts& texts);
    editors::FlightPanelTexts FlightTexts() const;
    void ShowFlightTexts(const editors::FlightPanelTexts& texts);
    void ShowFlightPanelState(const editors::FlightPanelState& state);

    // The antenna panel's base feeds: the feeds before each antenna's attenuation and phase adjust.
    editors::BaseFeeds BaseFeedValues;

    // Menus (names as the menu table gives them).
    plat::MenuItem& Menu(const std::string& name) const;

    // Public procedures of the window.
    void ChooseGroundFile3D();
    // "Edit 3D File" and the ground panel's "Edit 3D": the ground editor, modal, centred over this window.
    void mnuEdit3D_Click();
    void UnloadAllForms();
    void InitGroundGrid(int rows);
    // The ground profile grid's rules and its floating editor.
    GroundGridPanel& GroundPanel() { return *groundPanel_; }
    // Display units (frmMain_units.cpp): the shown lengths rewritten in the unit of mnuUseSI's check,
    // and the click on that hidden item.
    void ConvertDisplay();
    void mnuUseSI_Click();

    // Shell
    plat::CommonDialog CommonDialog1;
    std::unique_ptr<plat::Toolbar> Toolbar1;
    plat::ImageList ToolbarImages;
    std::unique_ptr<plat::Label> lblInFile, lblOutFile, lbl3DFile, lblChanged, lblNote;
    std::unique_ptr<plat::Label> lblInFileCaption, lblOutFileCaption, lbl3DFileCaption;
    std::unique_ptr<plat::PictureBox> Image1;

    // Antenna panel
    std::unique_ptr<plat::Frame> fraArray, fraAntenna, fraFeedMods, fraXmtr, fraNumAnts;
    std::unique_ptr<plat::TextBox> txtArrayFreq, txtArrayARatio, txtArrayModDepth, txtArrayCLRModDepth;
    plat::ControlArray<plat::OptionButton> optNumAnts{*this, "optNumAnts"};
    std::unique_ptr<plat::ComboBox> cmbAntOrient, cmbPresets;
    std::unique_ptr<plat::CheckBox> chkIncludeCurPhase;
    plat::ControlArray<plat::TextBox> txtAntX{*this, "txtAntX"}, txtAntY{*this, "txtAntY"}, txtAntZ{*this, "txtAntZ"},
        txtAntRot{*this, "txtAntRot"}, txtAntCSBMag{*this, "txtAntCSBMag"}, txtAntCSBPhase{*this, "txtAntCSBPhase"},
        txtAntSBOMag{*this, "txtAntSBOMag"}, txtAntSBOPhase{*this, "txtAntSBOPhase"}, txtAntCLRMag{*this, "txtAntCLRMag"},
        txtAntCLRPhase{*this, "txtAntCLRPhase"}, txtAntAtten{*this, "txtAntAtten"},
        txtAntPhaseAdj{*this, "txtAntPhaseAdj"};
    std::unique_ptr<plat::TextBox> txtSBOPowerAdj, txtCLRPowerAdjust, txtCSBSBOPhase;
    plat::ControlArray<plat::Label> Label2{*this, "Label2"}; // column captions, items 3..5
    std::unique_ptr<plat::Label> Label2_6;    // "(*)=ref."
    plat::ControlArray<plat::CommandButton> cmdProp{*this, "cmdProp"}; // items 1..3
    plat::ControlArray<plat::Label> Label37{*this, "Label37"}; // unit labels of the length boxes, items 0..11
    std::unique_ptr<plat::Label> Label62, Label67, Label63, Label66; // panel titles

    // Theodolite and path
    std::unique_ptr<plat::Frame> fraSimulation, fraTheodolite;
    std::unique_ptr<plat::TextBox> txtThPathAngle, txtThPathWidth, txtThX, txtThY, txtThZ;
    std::unique_ptr<plat::CommandButton> cmdFindTheod;

    // Flight profile
    std::unique_ptr<plat::Frame> fraFlight;
    std::unique_ptr<plat::ComboBox> cmbFlight;
    std::unique_ptr<plat::CheckBox> chkUseDefaults;
    plat::ControlArray<plat::TextBox> txtFltX{*this, "txtFltX"}, txtFltY{*this, "txtFltY"}, txtFltZ{*this, "txtFltZ"},
        txtFltAz{*this, "txtFltAz"}, txtFltEl{*this, "txtFltEl"}, txtFltRange{*this, "txtFltRange"},
        txtFltAlt{*this, "txtFltAlt"};
    plat::ControlArray<plat::Label> lblX{*this, "lblX"}, lblY{*this, "lblY"}, lblZ{*this, "lblZ"}; // item 1
    plat::ControlArray<plat::CommandButton> cmdConvertPoint{*this, "cmdConvertPoint"};
    std::unique_ptr<plat::TextBox> txtFltNumPoints;

    // Ground profile
    std::unique_ptr<plat::Frame> fraGround;
    std::unique_ptr<plat::FlexGrid> grdGround;
    std::unique_ptr<plat::TextBox> txtData;
    std::unique_ptr<plat::CommandButton> cmdFlat, cmdRestoreGnd, cmdView2D, cmdDigi2D, Command2;

    // Copies the controls into the model variables, an edit still open in the ground grid first.
    void CollectParameters();
    // Writes the model's parameter file, with the overwrite question and the save dialog.
    shell::WriteStatus WriteParamFile();
    // The same, with the file and the reason when the write failed.
    shell::ParamWriteResult WriteModel();

private:
    // What the 3D viewer reads of this window.
    struct ViewGroundHost ViewerHost();
    class Host;
    friend class Host;
    class ModelLink;
    friend class ModelLink;

    void BuildMenus();
    void BuildToolbar();
    void BuildAntennaPanel();
    void BuildArrayPanel();
    void BuildPathPanels();
    void BuildFlightPanel();
    void BuildGroundPanel();
    void BuildFileLabels();
    // The controls the editing panels edit, as the panels take them.
    void BuildPanelControls();
    // The Use 3D File check with the grid, the ground buttons and toolbar button 5 to match.
    void ShowGroundMode(bool use3D);
    // The common dialog, its cancel raising an error only while it is open: the name, or nothing.
    std::optional<std::string> FileDialog(plat::FileDialogKind kind, const std::string& filter,
                                          const std::string& fileName);

    void Form_Load();
    void Form_KeyDown(int& keyCode, int shift);
    void Form_KeyPress(int& keyAscii);
    // Shows the model as changed since it was saved: Exit, New and Load then offer to save it.
    void MarkModelEdited();
    void Form_Unload(int& cancel);
    void Toolbar1_ButtonClick(int index);
    void mnuFileExit_Click();
    // The close box does what Exit does; false keeps the window open.
    bool CloseBox();
    // Exit: the program ends unless the user kept the model open; false then.
    bool ExitAndEnd();

    void UnitLabel(int index, plat::Container& parent, int x, int y);
    // Captions without names of their own.
    plat::Label& AddCaption(plat::Container& parent, const std::string& text, int x, int y, int w, int align = 1);

    std::vector<plat::MenuItem*> menus_;
    std::vector<std::unique_ptr<plat::Label>> captions_;
    std::unique_ptr<ModelLink> model_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<GroundGridPanel> groundPanel_;
    std::unique_ptr<EditorPanelControls> panels_;
    std::unique_ptr<QObject> closeBox_;
    // A key typed since the model was loaded, made new or last written.
    bool unsavedEdits_ = false;
    // While Exit (or the close box) ends the program: the application's quit closes every window at
    // once, and this window's close then asks nothing again.
    bool ending_ = false;
};

// The program's main window, created on first use.
frmMain& frmMain();

// The main window's state that lives as long as the process: the settings file is read once.
shell::ShellState& MainShellState();
