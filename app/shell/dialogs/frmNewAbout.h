#pragma once
// The About box: the product's title, what it does, its version and where updates and support are.

#include <memory>

#include "platform/ui/Buttons.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"

class frmNewAbout : public plat::Form {
public:
    frmNewAbout();

    std::unique_ptr<plat::PictureBox> picIcon;
    std::unique_ptr<plat::Label> lblTitle, lblDescription, lblVersion, lblDisclaimer;
    std::unique_ptr<plat::CommandButton> cmdOK, cmdSysInfo;

private:
    void Form_Load();
};

// The About box, created on first use.
frmNewAbout& frmNewAbout();
