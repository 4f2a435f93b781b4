#pragma once

// The array grid editor: the elements of an antenna array in two grids, one row per element, typed
// into through a floating edit box, with rows inserted and deleted by the Insert and Delete keys.
// Its other buttons, option groups and menu have no actions.

#include <memory>
#include <string>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"
#include "shell/mainwindow/ControlArray.h"

class frmArrayEdit : public plat::Form {
public:
    frmArrayEdit();

    // Lays out grid index (1 or 2) for Facility and the working unit.
    void SetArrayGridHeader(int index);

    ControlArray<plat::FlexGrid, 2, 1> grdArray;
    std::unique_ptr<plat::TextBox> txtData;
    ControlArray<plat::TextBox, 9> txtInData;
    ControlArray<plat::OptionButton, 3, 1> optunit;
    std::unique_ptr<plat::CommandButton> cmdCalculate;
    std::unique_ptr<plat::Label> lblCalculate;
    ControlArray<plat::Label, 2, 1> Line;
    std::unique_ptr<plat::ComboBox> cmbPresets;
    std::unique_ptr<plat::CommandButton> cmdFacility, cmdPullFromFile, Command1, cmdNew, cmdLoad, cmdSave,
        cmdOK, cmdCancel;
    ControlArray<plat::CheckBox, 2, 1> chkClearFirst;
    ControlArray<plat::OptionButton, 2> optPullAll;
    std::unique_ptr<plat::CheckBox> chkShowRWYLoc, chkIncludeCLR;
    plat::MenuItem* mnuEdit = nullptr;

    double WorkingUnit() const { return workingUnit_; }
    int SelectedUnit() const { return selectedUnit_; }

private:
    void Form_Load();
    void grdArray_KeyPress(int index, int& keyAscii);
    void grdArray_KeyDown(int index, int& keyCode, int shift);
    void grdArray_Click(int index);
    void txtData_KeyPress(int& keyAscii);
    void CloseEditor();

    plat::Label& AddLabel(const std::string& caption, int x, int y, int w);

    std::vector<std::unique_ptr<plat::Label>> labels_;
    double workingUnit_ = 1.0;
    int selectedUnit_ = 0;
    int editGrid_ = 1;
    int editRow_ = 0;
    int editCol_ = 0;
    bool loading_ = false;
};

// The array grid editor window, created on first use.
frmArrayEdit& frmArrayEdit();
