#pragma once
// The coordinate-origin help: a note and one of two pictures, chosen by HelpPicture.

#include <memory>

#include "platform/ui/ControlArray.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"

class frmOriginHelp : public plat::Form {
public:
    frmOriginHelp();

    std::unique_ptr<plat::Label> lblHelp;
    plat::ControlArray<plat::PictureBox> imgHelp{*this, "imgHelp"}; // items 1 and 2

private:
    void Form_Load();
};

// The origin help window, created on first use.
frmOriginHelp& frmOriginHelp();
