#include "shell/dialogs/frmNewAbout.h"

#include <QImage>
#include <QLabel>

#include <algorithm>

#include "platform/draw/DeviceContext.h"
#include "platform/draw/ImageView.h"
#include "platform/text/Strings.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"
#include "shell/mainwindow/logic/ShellCommands.h"

using namespace shell;

namespace {

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

// A word-wrapped label placed at (x, y), w pixels wide and as tall as its text needs in its own
// font; returns the pixel row below it.
int PlaceWrapped(plat::Label& label, int x, int y, int w) {
    label.SetWordWrap(true);
    const QLabel& inner = *label.Inner();
    const QMargins margins = inner.contentsMargins();
    const int textWidth = w - margins.left() - margins.right();
    const QRect text =
        inner.fontMetrics().boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap, inner.text());
    const int h = text.height() + margins.top() + margins.bottom();
    Place(label, x, y, w, h);
    return y + h;
}

// The program's icon: a glide-slope antenna mast radiating over the ground.
QImage ProgramIcon() {
    plat::PixelBuffer icon(48, 48, plat::PixelFormat::Bgra32); // transparent
    plat::DeviceContext dc(icon);
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 3, plat::RGB(0x80, 0x60, 0x30)));
    dc.MoveToEx(2, 44);
    dc.LineTo(46, 44);
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 3, plat::RGB(0x20, 0x50, 0xC0)));
    dc.MoveToEx(10, 44);
    dc.LineTo(10, 8);
    // Waves from 60 degrees below to 30 degrees above the horizontal, around the mast's top.
    dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 2, plat::RGB(0xC0, 0x20, 0x20)));
    for (int r = 10; r <= 34; r += 8) {
        dc.Arc(10 - r, 16 - r, 10 + r, 16 + r, 10 + r / 2, 16 + r * 7 / 8, 10 + r * 7 / 8, 16 - r / 2);
    }
    return plat::ToQImage(icon);
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
    // The texts wrap; each label is as tall as its text, and what follows goes below it.
    lblDescription = std::make_unique<plat::Label>(*this, "lblDescription");
    lblDescription->SetCaption(
        "Calculates the effects of ground scattering on the Instrument Landing System (ILS) glide slope.");
    const int descriptionBottom = PlaceWrapped(*lblDescription, 72, 62, 340);
    lblDisclaimer = std::make_unique<plat::Label>(*this, "lblDisclaimer");
    lblDisclaimer->SetCaption(
        "Program updates are published with the project's releases; for support call the "
        "navigation engineering office that issued this copy.");
    const int disclaimerBottom = PlaceWrapped(*lblDisclaimer, 12, std::max(descriptionBottom, 60) + 10, 400);
    const int buttonsTop = disclaimerBottom + 10;
    cmdOK = std::make_unique<plat::CommandButton>(*this, "cmdOK");
    Place(*cmdOK, 320, buttonsTop, 92, 26);
    cmdOK->SetCaption("OK");
    cmdOK->Click = [this] { plat::Unload(*this); };
    cmdSysInfo = std::make_unique<plat::CommandButton>(*this, "cmdSysInfo");
    Place(*cmdSysInfo, 320, buttonsTop + 32, 92, 26);
    cmdSysInfo->SetCaption("&System Info...");
    SetClientSize(plat::PixelsToTwips(424), plat::PixelsToTwips(buttonsTop + 32 + 26 + 12));
    Load = [this] { Form_Load(); };
}

void frmNewAbout::Form_Load() {
    lblVersion->SetCaption("Version #" + plat::Trim(kBuildText));
}

class frmNewAbout& frmNewAbout() {
    static plat::DefaultInstance<class frmNewAbout> instance;
    return instance();
}
