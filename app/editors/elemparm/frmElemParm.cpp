#include "editors/elemparm/frmElemParm.h"

#include "common/controls/TextBoxRoutines.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/model/ModelVariables.h"

using namespace common;
using namespace editors;
using namespace shell;

namespace {

constexpr int kLabelW = 130; // row labels' width, pixels
constexpr int kColW = 84;    // column pitch
constexpr int kBoxW = 70;
constexpr int kRowH = 26;

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

} // namespace

plat::Label& frmElemParm::AddLabel(const std::string& caption, int x, int y, int w, int align) {
    auto label = std::make_unique<plat::Label>(*this, "");
    label->SetCaption(caption);
    label->SetAlignment(align);
    label->SetWordWrap(false);
    Place(*label, x, y, w, 18);
    labels_.push_back(std::move(label));
    return *labels_.back();
}

frmElemParm::frmElemParm() : plat::Form("frmElemParm") {
    SetCaption("Element Parameters");
    struct Row {
        plat::ControlArray<plat::TextBox>* boxes;
        const char* label;
    };
    const Row rows[] = {{&txtAntAlpha, "Alpha (deg) : "},
                        {&txtAntPhi1, "Elem. 1 Phi (deg) : "},
                        {&txtAntPhi2, "Elem. 2 Phi (deg) : "},
                        {&txtAntPhi3, "Elem. 3 Phi (deg) : "}};
    const char* headings[] = {"Lower Ant.", "Middle Ant.", "Upper Ant."};
    // The rotation group (one row) above the phasing group (three rows), each with its headings.
    int y = 8;
    for (int r = 0; r < 4; ++r) {
        if (r == 0 || r == 1) {
            AddLabel(r == 0 ? "Element Rotation " : "Element Phasing", 8, y, 200, 0)
                .SetFont("Liberation Sans", 9, true);
            y += 20;
            for (int i = 0; i < 3; ++i)
                AddLabel(headings[i], 8 + kLabelW + i * kColW, y, kBoxW, 2);
            y += 20;
        }
        AddLabel(rows[r].label, 8, y + 2, kLabelW - 4, 1);
        for (int i = 0; i < 3; ++i) {
            plat::TextBox& box = rows[r].boxes->Load(i);
            Place(box, 8 + kLabelW + i * kColW, y, kBoxW, 22);
            box.SetNumericBehaviour(NumericBoxBehaviour({true, true}, {true, true}, [] { return Model().LengthUnit; }));
        }
        y += kRowH + (r == 0 ? 8 : 0);
    }
    y += 8;
    Command1 = std::make_unique<plat::CommandButton>(*this, "Command1");
    Place(*Command1, 8 + kLabelW + kColW, y, kBoxW + 10, 26);
    Command1->SetCaption("Done");
    Command2 = std::make_unique<plat::CommandButton>(*this, "Command2");
    Place(*Command2, 8 + kLabelW + 2 * kColW, y, kBoxW + 10, 26);
    Command2->SetCaption("Cancel");
    SetClientSize(plat::PixelsToTwips(8 + kLabelW + 3 * kColW + 8), plat::PixelsToTwips(y + 26 + 10));

    Load = [this] { Form_Load(); };
    Command1->Click = [this] { Command1_Click(); };
    Command2->Click = [this] { plat::Unload(*this); };
}

void frmElemParm::Form_Load() {
    const ElementParameterTexts t = LoadElementParameters(Model());
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        txtAntAlpha(i).SetText(t.AntAlpha[k]);
        txtAntPhi1(i).SetText(t.AntPhi1[k]);
        txtAntPhi2(i).SetText(t.AntPhi2[k]);
        txtAntPhi3(i).SetText(t.AntPhi3[k]);
    }
}

ElementParameterTexts frmElemParm::Texts() const {
    ElementParameterTexts t;
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        t.AntAlpha[k] = txtAntAlpha(i).Text();
        t.AntPhi1[k] = txtAntPhi1(i).Text();
        t.AntPhi2[k] = txtAntPhi2(i).Text();
        t.AntPhi3[k] = txtAntPhi3(i).Text();
    }
    return t;
}

void frmElemParm::Command1_Click() {
    StoreElementParameters(Texts(), Model());
    plat::Unload(*this);
}

class frmElemParm& frmElemParm() {
    static plat::DefaultInstance<class frmElemParm> instance;
    return instance();
}
