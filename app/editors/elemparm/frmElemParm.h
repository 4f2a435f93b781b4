#pragma once
// The element parameters dialog: for each antenna its element rotation and the phases of its three
// elements. The boxes are filled from the antenna records when it loads; "Done" stores all twelve
// words, "Cancel" and the close box store nothing.

#include <memory>
#include <string>
#include <vector>

#include "editors/logic/ElementParameters.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

class frmElemParm : public plat::Form {
public:
    frmElemParm();

    // Column i edits Ant(i + 1): 0 lower, 1 middle, 2 upper antenna.
    plat::ControlArray<plat::TextBox> txtAntAlpha{*this, "txtAntAlpha"};
    plat::ControlArray<plat::TextBox> txtAntPhi1{*this, "txtAntPhi1"};
    plat::ControlArray<plat::TextBox> txtAntPhi2{*this, "txtAntPhi2"};
    plat::ControlArray<plat::TextBox> txtAntPhi3{*this, "txtAntPhi3"};
    std::unique_ptr<plat::CommandButton> Command1; // "Done"
    std::unique_ptr<plat::CommandButton> Command2; // "Cancel"

private:
    void Form_Load();
    void Command1_Click();
    editors::ElementParameterTexts Texts() const;
    plat::Label& AddLabel(const std::string& caption, int x, int y, int w, int align);

    std::vector<std::unique_ptr<plat::Label>> labels_;
};

// The dialog, created afresh on each opening after it has been unloaded.
frmElemParm& frmElemParm();
