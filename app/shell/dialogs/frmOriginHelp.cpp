#include "shell/dialogs/frmOriginHelp.h"

#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/dialogs/OriginPictures.h"
#include "shell/model/ModelVariables.h"

using namespace shell;

frmOriginHelp::frmOriginHelp() : plat::Form("frmOriginHelp") {
    SetCaption("Help");
    lblHelp = std::make_unique<plat::Label>(*this, "lblHelp");
    lblHelp->Move(plat::PixelsToTwips(10), plat::PixelsToTwips(8), plat::PixelsToTwips(kOriginPictureWidth),
                  plat::PixelsToTwips(36));
    lblHelp->SetWordWrap(true);
    lblHelp->SetCaption(
        "The Origin used by the interface is the Threshold. Values written to file are to the origin depicted here.");
    for (int i = 1; i <= 2; ++i) {
        imgHelp.Load(i).Move(plat::PixelsToTwips(10), plat::PixelsToTwips(48), plat::PixelsToTwips(kOriginPictureWidth),
                        plat::PixelsToTwips(kOriginPictureHeight));
        imgHelp(i).SetPicture(OriginPicture(i));
    }
    SetClientSize(plat::PixelsToTwips(kOriginPictureWidth + 20), plat::PixelsToTwips(kOriginPictureHeight + 58));
    Load = [this] { Form_Load(); };
}

void frmOriginHelp::Form_Load() {
    imgHelp(1).SetVisible(false);
    imgHelp(2).SetVisible(false);
    const int shown = Model().HelpPicture;
    if (imgHelp.Exists(shown))
        imgHelp(shown).SetVisible(true);
}

class frmOriginHelp& frmOriginHelp() {
    static plat::DefaultInstance<class frmOriginHelp> instance;
    return instance();
}
