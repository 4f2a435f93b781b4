#include "shell/dialogs/frmNewAbout.h"

#include <QImage>
#include <QPainter>

#include "platform/text/Strings.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/mainwindow/logic/ShellCommands.h"

namespace {

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

// The program's icon: a glide-slope antenna mast radiating over the ground.
QImage ProgramIcon() {
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x60, 0x30), 3));
    p.drawLine(2, 44, 46, 44);
    p.setPen(QPen(QColor(0x20, 0x50, 0xC0), 3));
    p.drawLine(10, 44, 10, 8);
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2));
    for (int r = 10; r <= 34; r += 8)
        p.drawArc(QRectF(10 - r, 16 - r, 2 * r, 2 * r), -60 * 16, 90 * 16);
    return icon;
}

} // namespace

frmNewAbout::frmNewAbout() : plat::Form("frmNewAbout") {
    SetCaption("About Vantrell Orvane");
    picIcon = std::make_unique<plat::PictureBox>(*this, "picIcon");
    Place(*picIcon, 12, 12, 48, 48);
    picIcon->SetPicture(ProgramIcon());
    lblTitle = std::make_unique<plat::Label>(*this, "lblTitle");
    Place(*lblTitle, 72, 12, 340, 22);
    lblTitle->SetCaption("Vantrell Orvane - ILS Glide Slope Site Modelling");
    lblTitle->SetFont("Liberation Sans", 11, true);
    lblVersion = std::make_unique<plat::Label>(*this, "lblVersion");
    Place(*lblVersion, 72, 36, 340, 18);
    lblVersion->SetCaption("Version");
    lblDescription = std::make_unique<plat::Label>(*this, "lblDescription");
    Place(*lblDescription, 72, 62, 340, 40);
    lblDescription->SetWordWrap(true);
    lblDescription->SetCaption(
        "Calculates the effects of ground scattering on the Instrument Landing System (ILS) glide slope.");
    lblDisclaimer = std::make_unique<plat::Label>(*this, "lblDisclaimer");
    Place(*lblDisclaimer, 12, 112, 400, 40);
    lblDisclaimer->SetWordWrap(true);
    lblDisclaimer->SetCaption("Program updates are published with the project's releases; for support call the "
                              "navigation engineering office that issued this copy.");
    cmdOK = std::make_unique<plat::CommandButton>(*this, "cmdOK");
    Place(*cmdOK, 320, 160, 92, 26);
    cmdOK->SetCaption("OK");
    cmdOK->Click = [this] { plat::Unload(*this); };
    cmdSysInfo = std::make_unique<plat::CommandButton>(*this, "cmdSysInfo");
    Place(*cmdSysInfo, 320, 192, 92, 26);
    cmdSysInfo->SetCaption("&System Info...");
    SetClientSize(plat::PixelsToTwips(424), plat::PixelsToTwips(230));
    Load = [this] { Form_Load(); };
}

void frmNewAbout::Form_Load() { lblVersion->SetCaption("Version #" + plat::Trim(kBuildText)); }

class frmNewAbout& frmNewAbout() {
    static plat::DefaultInstance<class frmNewAbout> instance;
    return instance();
}
