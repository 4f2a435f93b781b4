#pragma once
// How the main window moves the model between its controls, the model variables and a parameter file:
// the window's side of the collector, of showing the model and of the parameter-file reader.

#include <string>

#include "shell/mainwindow/frmMain.h"
#include "shell/modelio/ModelTexts.h"
#include "shell/modelio/ParamFileReader.h"

class frmMain::ModelLink final : public shell::ModelWindow, public shell::LoadTarget {
public:
    explicit ModelLink(frmMain& w) : w_(w) {}

    // False when the file could not be read; a message has said why and nothing was changed.
    bool Load(const std::string& path);
    void Show();
    void Collect();

    // ModelWindow
    shell::MainWindowTexts Texts() const override;
    void ShowTexts(const shell::MainWindowTexts& t) override;
    plat::GridModel& Grid() override { return *w_.grdGround; }
    void SetFieldModelChecks(const std::array<bool, 3>& rayGtdPo) override;
    void SelectNumAnts(int option) override;
    void SelectFlight(int listIndex) override;
    void UpdateConverterCaptions(std::uint8_t flightType) override;

    // LoadTarget
    void SetUseSIChecked(bool checked) override;
    void SetGroundMode(bool use3D) override;
    void SetTheodoliteTexts(const std::string& x, const std::string& y, const std::string& z) override;
    void SetLoadedBaseFeeds(const shell::ParamFileContents& contents) override;
    void Show3DFile(const std::string& name) override;
    void Inform(const std::string& text, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    void ChooseGroundFile3D() override;
    plat::GridModel& InitGroundGrid(int rows) override;

private:
    frmMain& w_;
};
