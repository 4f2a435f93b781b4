#pragma once
// "Generate Multiple Outputs": the output quantities a batch runs, one box per Y variable.
// Closing the window by its title bar counts as Cancel.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Buttons.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

class frmMulOutputs : public plat::Form {
public:
    frmMulOutputs();

    std::unique_ptr<plat::Label> Label1;
    plat::ControlArray<plat::CheckBox> Check1;
    std::unique_ptr<plat::CommandButton> cmdAll, cmdNone, cmdCancel, cmdGen;

    // The result: eleven "0"/"1" characters, box 0 first; true only after "Generate Output Files".
    std::string strChecks;
    bool boolGen = false;

    // The main window's optNumAnts item (0 one antenna, 1 two, 2 three).
    std::function<int()> NumAntsOption;

private:
    void Form_Load();
    // Boxes of antennas that are not selected are unchecked (and, at load, disabled).
    void AntennaRule(bool disable);
};

// The dialog, created on first use.
frmMulOutputs& frmMulOutputs();
