#include "shell/run/frmGeneric.h"

#include <cfenv>
#include <cmath>
#include <utility>

#include "platform/services/Clock.h"
#include "platform/ui/Form.h"
#include "shell/model/ModelVariables.h"

using namespace shell;

namespace {

constexpr double kSecondsPerDay = 86400.0;

plat::DefaultInstance<class frmGeneric>& Instance() {
    static plat::DefaultInstance<class frmGeneric> instance;
    return instance;
}

std::function<const plat::Form&()>& WaitWindowOwner() {
    static std::function<const plat::Form&()> owner;
    return owner;
}

plat::Canvas::Colour Red(int red) {
    return static_cast<plat::Canvas::Colour>(red) & 0xFFU;
}

void PrintAt(plat::Canvas& c, const WaitText& line) {
    c.SetCurrentX(line.x);
    c.SetCurrentY(line.y);
    c.Print(line.text);
}

} // namespace

WaitLayout WaitLayoutFor(int runStatus) {
    WaitLayout l;
    if (runStatus > 1) {
        l.width = 4600;
        l.height = 2500;
        l.pictureLeft = 45;
        l.pictureTop = 45;
        l.pictureWidth = 4510;
        l.pictureHeight = 2410;
        l.redDivisor = 1.1;
        l.shadow = {
            {5, 69, "Vantrell"}, {5, 104, "Geometric Theory of Diffraction "}, {5, 139, "Model Interface"}};
        l.front = {
            {2, 66, "Vantrell"}, {2, 101, "Goemetric Theory of Diffraction "}, {2, 136, "Model Interface"}};
        l.titleCard = true;
        return l;
    }
    l.width = 3525;
    l.height = 1410;
    l.pictureLeft = 45;
    l.pictureTop = 45;
    l.pictureWidth = 3405;
    l.pictureHeight = 1290;
    l.redDivisor = 1.6;
    l.shadow = {{15, 58, "Executing Simulation"}, {66, 128, "Please Wait...."}};
    l.front = {{10, 50, "Executing Simulation"}, {61, 120, "Please Wait...."}};
    return l;
}

int RingRed(int r, double redDivisor) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const int red = static_cast<int>(std::nearbyint(r / redDivisor));
    std::fesetround(saved);
    return red;
}

void PaintWaitPicture(plat::PictureBox& picture, const WaitLayout& layout) {
    plat::Canvas& c = picture.Surface();
    c.SetDrawWidth(1);
    c.SetFillSolid(true);
    picture.Scale(0, 0, 256, 256);
    for (int r = 255; r >= 0; --r) {
        const plat::Canvas::Colour colour = Red(RingRed(r, layout.redDivisor));
        c.SetFillColor(colour);
        c.Circle(100, 110, r, colour);
    }
    c.SetFont("Arial", 14.25, true);
    c.SetForeColor(0x000000);
    for (const WaitText& line : layout.shadow)
        PrintAt(c, line);
    c.SetForeColor(0xFFFFFF);
    for (const WaitText& line : layout.front)
        PrintAt(c, line);
    picture.Refresh();
}

frmGeneric::frmGeneric() : plat::Form("frmGeneric") {
    Picture1 = std::make_unique<plat::PictureBox>(*this, "Picture1");
    Activate = [this] { Form_Activate(); };
}

void frmGeneric::CloseWaitWindow() {
    plat::Unload(*this);
}

void frmGeneric::Form_Activate() {
    const WaitLayout layout = WaitLayoutFor(Model().RunStatus);
    SetWidth(layout.width);
    SetHeight(layout.height);
    if (WaitWindowOwner()) {
        const plat::Form& main = WaitWindowOwner()();
        SetLeft(main.Left() + main.Width() / 2 - Width() / 2);
        SetTop(main.Top() + main.Height() / 2 - Height() / 2);
    }
    Picture1->Move(layout.pictureLeft, layout.pictureTop, layout.pictureWidth, layout.pictureHeight);
    PaintWaitPicture(*Picture1, layout);
    if (!layout.titleCard)
        return;
    // One second on the clock of the day; a wait that runs past midnight counts on from there.
    const double t0 = plat::Clock().SecondsSinceMidnight();
    for (;;) {
        double elapsed = plat::Clock().SecondsSinceMidnight() - t0;
        if (elapsed < 0)
            elapsed += kSecondsPerDay;
        if (elapsed >= 1.0)
            break;
        plat::DoEvents(10);
    }
    plat::Unload(*this);
}

class frmGeneric& frmGeneric() {
    return Instance()();
}

void SetWaitWindowOwner(std::function<const plat::Form&()> owner) {
    WaitWindowOwner() = std::move(owner);
}

void UnloadWaitWindowIfLoaded() {
    if (Instance().Exists() && Instance()().IsLoaded())
        plat::Unload(Instance()());
}
