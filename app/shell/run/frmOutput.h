#pragma once
// "Output Parameters": the X and Y variables of the plot file and the twelve ray types of the field
// sum. A checked ray box means the ray type is computed (its RayIgnore flag 0).

#include <array>
#include <memory>
#include <string_view>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

// The items of the X list (XAxisVar = item + 1), of the Y list (YAxisVar = item + 1) and the
// captions of the ray boxes (box i shows RayIgnore(i + 1)).
extern const std::array<std::string_view, 5> kXAxisItems;
extern const std::array<std::string_view, 11> kYAxisItems;
extern const std::array<std::string_view, 12> kRayCaptions;

class frmOutput : public plat::Form {
public:
    frmOutput();

    std::unique_ptr<plat::Label> Label1, Label2, Label3;
    std::unique_ptr<plat::ComboBox> cmbXAxis, cmbYAXis;
    plat::ControlArray<plat::CheckBox> chkJ;
    std::unique_ptr<plat::CommandButton> Command1, Command2;

private:
    void Form_Activate();
    void Command1_Click();
};

// The output dialog, created on first use.
frmOutput& frmOutput();
