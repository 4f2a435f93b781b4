#pragma once

// The array grid editor: the elements of an antenna array in two grids, one row per element, typed
// into through a floating edit box, with rows inserted and deleted by the Insert and Delete keys.
// Its other buttons, option groups and menu have no actions.

#include <memory>
#include <string>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"

class frmArrayEdit : public plat::Form {
public:
    frmArrayEdit();

    // Lays out grid index (1 or 2) for Facility and the working unit.
    void SetArrayGridHeader(int index);

    plat::ControlArray<plat::FlexGrid> grdArray{*this, "grdArray"}; // items 1 and 2
    std::unique_ptr<plat::TextBox> txtData;
    plat::ControlArray<plat::TextBox> txtInData{*this, "txtInData"}; // items 0..8
    plat::ControlArray<plat::OptionButton> optunit{*this, "optunit"}; // items 1..3
    std::unique_ptr<plat::CommandButton> cmdCalculate;
    std::unique_ptr<plat::Label> lblCalculate;
    plat::ControlArray<plat::Label> Line{*this, "Line"}; // items 1 and 2
    std::unique_ptr<plat::ComboBox> cmbPresets;
    std::unique_ptr<plat::CommandButton> cmdFacility, cmdPullFromFile, Command1, cmdNew, cmdLoad, cmdSave,
        cmdOK, cmdCancel;
    plat::ControlArray<plat::CheckBox> chkClearFirst{*this, "chkClearFirst"}; // items 1 and 2
    plat::ControlArray<plat::OptionButton> optPullAll{*this, "optPullAll"}; // items 0 and 1
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
