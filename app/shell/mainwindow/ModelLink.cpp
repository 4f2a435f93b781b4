#include "shell/mainwindow/ModelLink.h"

#include "editors/ground/GroundGridPanel.h"
#include "platform/services/MessageBox.h"

using namespace shell;

bool frmMain::ModelLink::Load(const std::string& path) {
    if (const std::optional<std::string> error = LoadParamFile(path, Model(), *this)) {
        plat::MsgBox(LoadFailedText(path, *error), plat::vbCritical, kLoadFailedTitle);
        return false;
    }
    return true;
}

void frmMain::ModelLink::Show() { ShowParameters(Model(), *this); }

void frmMain::ModelLink::Collect() {
    // A cell still being edited counts as the screen shows it.
    w_.GroundPanel().CommitOpenEdit();
    shell::CollectParameters(Texts(), Grid(), Model());
}

MainWindowTexts frmMain::ModelLink::Texts() const {
    MainWindowTexts t;
    t.antenna = w_.AntennaTexts();
    t.path = w_.PathTexts();
    t.flight = w_.FlightTexts();
    t.flightListText = w_.cmbFlight->ListIndex() >= 0 ? w_.cmbFlight->Text() : "";
    t.numAntsOption = -1;
    for (int i = 0; i < 3; ++i) {
        if (w_.optNumAnts(i).Value())
            t.numAntsOption = i;
    }
    t.mnuRay = w_.Menu("mnuRay").Checked();
    t.mnuGTD = w_.Menu("mnuGTD").Checked();
    t.mnuPO = w_.Menu("mnuPO").Checked();
    t.mnuUseSI = w_.Menu("mnuUseSI").Checked();
    t.mnuUse3D = w_.Menu("mnuUse3D").Checked();
    return t;
}

void frmMain::ModelLink::ShowTexts(const MainWindowTexts& t) {
    w_.ShowAntennaTexts(t.antenna);
    w_.ShowPathTexts(t.path);
    w_.ShowFlightTexts(t.flight);
}

// Toolbar buttons 10, 11 and 12 show the same field model as the menu.
void frmMain::ModelLink::SetFieldModelChecks(const std::array<bool, 3>& rayGtdPo) {
    const char* const items[] = {"mnuRay", "mnuGTD", "mnuPO"};
    for (int i = 0; i < 3; ++i) {
        w_.Menu(items[i]).SetChecked(rayGtdPo[i]);
        w_.Toolbar1->Buttons(10 + i).SetValue(rayGtdPo[i] ? 1 : 0);
    }
}

void frmMain::ModelLink::SelectNumAnts(int option) { w_.optNumAnts(option).SetValue(true); }

void frmMain::ModelLink::SelectFlight(int listIndex) { w_.cmbFlight->SetListIndex(listIndex); }

void frmMain::ModelLink::UpdateConverterCaptions(std::uint8_t flightType) {
    w_.ShowFlightPanelState(editors::UpdateConverterCaptions(flightType));
}

void frmMain::ModelLink::SetUseSIChecked(bool checked) { w_.Menu("mnuUseSI").SetChecked(checked); }

void frmMain::ModelLink::SetGroundMode(bool use3D) {
    w_.ShowGroundMode(use3D);
}

void frmMain::ModelLink::SetTheodoliteTexts(const std::string& x, const std::string& y, const std::string& z) {
    w_.txtThY->SetText(y);
    w_.txtThX->SetText(x);
    w_.txtThZ->SetText(z);
}

void frmMain::ModelLink::SetLoadedBaseFeeds(const ParamFileContents& contents) {
    MergeBaseFeeds(contents, w_.BaseFeedValues);
}

void frmMain::ModelLink::Show3DFile(const std::string& name) { w_.lbl3DFile->SetCaption(name); }

void frmMain::ModelLink::Inform(const std::string& text, const std::string& title) {
    plat::MsgBox(text, plat::vbOKOnly, title);
}

bool frmMain::ModelLink::AskYesNo(const std::string& text, const std::string& title) {
    return plat::MsgBox(text, plat::vbYesNo, title) == plat::vbYes;
}

void frmMain::ModelLink::ChooseGroundFile3D() { w_.ChooseGroundFile3D(); }

plat::GridModel& frmMain::ModelLink::InitGroundGrid(int rows) {
    w_.InitGroundGrid(rows);
    return *w_.grdGround;
}
