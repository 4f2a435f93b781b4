#pragma once
// The coordinate-origin help: a note and one of two pictures, chosen by HelpPicture.

#include <memory>

#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"
#include "shell/mainwindow/ControlArray.h"

class frmOriginHelp : public plat::Form {
public:
    frmOriginHelp();

    std::unique_ptr<plat::Label> lblHelp;
    ControlArray<plat::PictureBox, 2, 1> imgHelp;

private:
    void Form_Load();
};

// The origin help window, created on first use.
frmOriginHelp& frmOriginHelp();
