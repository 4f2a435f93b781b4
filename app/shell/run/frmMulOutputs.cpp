#include "shell/run/frmMulOutputs.h"

#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/run/frmOutput.h"
#include "shell/run/logic/RunControl.h"

using namespace shell;

namespace {

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

std::unique_ptr<plat::CommandButton> Button(plat::Form& f, const char* name, const char* caption, int x,
                                            int y, int w) {
    auto b = std::make_unique<plat::CommandButton>(f, name);
    Place(*b, x, y, w, 28);
    b->SetCaption(caption);
    return b;
}

} // namespace

frmMulOutputs::frmMulOutputs() : plat::Form("frmMulOutputs"), Check1(*this, "Check1") {
    SetCaption("Generate Multiple Outputs");
    Label1 = std::make_unique<plat::Label>(*this, "Label1");
    Place(*Label1, 16, 12, 420, 20);
    Label1->SetCaption("Please select which output parameters you would like to generate:");
    for (int i = 0; i < kOutputCount; ++i)
        Place(Check1.Load(i), 24, 40 + i * 24, 400, 22);
    cmdAll = Button(*this, "cmdAll", "All", 16, 316, 80);
    cmdAll->Click = [this] {
        for (int i = 0; i < kOutputCount; ++i)
            Check1(i).SetValue(1);
        AntennaRule(false);
    };
    cmdNone = Button(*this, "cmdNone", "None", 104, 316, 80);
    cmdNone->Click = [this] {
        for (int i = 0; i < kOutputCount; ++i)
            Check1(i).SetValue(0);
    };
    cmdCancel = Button(*this, "cmdCancel", "Cancel", 192, 316, 80);
    cmdCancel->Click = [this] {
        boolGen = false;
        plat::Unload(*this);
    };
    cmdGen = Button(*this, "cmdGen", "Generate Output Files", 280, 316, 160);
    cmdGen->Click = [this] {
        boolGen = true;
        strChecks.clear();
        for (int i = 0; i < kOutputCount; ++i)
            strChecks += Check1(i).Value() == 1 ? '1' : '0';
        plat::Unload(*this);
    };
    SetClientSize(plat::PixelsToTwips(456), plat::PixelsToTwips(358));
    Load = [this] { Form_Load(); };
}

void frmMulOutputs::Form_Load() {
    // Only "Generate Output Files" makes it true: a close by the title bar answers Cancel.
    boolGen = false;
    class frmOutput& output = frmOutput();
    if (!output.IsLoaded())
        plat::Load(output);
    for (int i = 0; i < kOutputCount; ++i)
        Check1(i).SetCaption(output.cmbYAXis->List(i));
    AntennaRule(true);
}

void frmMulOutputs::AntennaRule(bool disable) {
    const int option = NumAntsOption ? NumAntsOption() : 2;
    const int first = option == 0 ? 4 : option == 1 ? 6 : kOutputCount;
    for (int i = first; i <= 7; ++i) {
        Check1(i).SetValue(0);
        if (disable)
            Check1(i).SetEnabled(false);
    }
}

class frmMulOutputs& frmMulOutputs() {
    static plat::DefaultInstance<class frmMulOutputs> instance;
    return instance();
}
