#include "shell/run/frmOutput.h"

#include <string>

#include "platform/ui/Twips.h"
#include "platform/ui/Form.h"
#include "shell/model/ModelVariables.h"

using namespace shell;

const std::array<std::string_view, 5> kXAxisItems = {
    "1 - Distance along the Y-Axis (ft) along RW CL", "2 - Elevation angle with respect to TH eyepiece",
    "3 - Negative X Distance in feet", "4 - Distance along the X-Axis (ft)",
    "5 - Azimuth Angle with respect to RW CL"};

const std::array<std::string_view, 11> kYAxisItems = {"1 - Course Deviation Indication (CDI)",
                                                      "2 - Differential Course Deviation Indication (DCDI)",
                                                      "3 - Magnitude of field from antenna 1 (ET(1))",
                                                      "4 - Phase of field from antenna 1 (ETPHA(1))",
                                                      "5 - Magnitude of field from antenna 2 (ET(2))",
                                                      "6 - Phase of field from antenna 2 (ETPHA(2))",
                                                      "7 - Magnitude of field from antenna 3 (ET(3))",
                                                      "8 - Phase of field from antenna 3 (ETPHA(3))",
                                                      "9 - Composite magn. of CSB and SBO rad. fields",
                                                      "10 - Composite magn. of SBO radiated fields",
                                                      "11 - Absolute value of CDI"};

const std::array<std::string_view, 12> kRayCaptions = {"JDIR", "JREF", "JRR",  "JRD", "JRRD", "JRDR",
                                                       "JDIF", "JDR",  "JDRD", "JDD", "JDDR", "JDRR"};

namespace {

void Place(plat::Control& c, int x, int y, int w, int h) {
    c.Move(plat::PixelsToTwips(x), plat::PixelsToTwips(y), plat::PixelsToTwips(w), plat::PixelsToTwips(h));
}

std::unique_ptr<plat::Label> MakeLabel(plat::Form& f, const char* name, const char* text, int x, int y,
                                       int w) {
    auto label = std::make_unique<plat::Label>(f, name);
    Place(*label, x, y, w, 20);
    label->SetCaption(text);
    return label;
}

std::unique_ptr<plat::ComboBox> List(plat::Form& f, const char* name, const char* initialText, auto items,
                                     int y) {
    auto list = std::make_unique<plat::ComboBox>(f, name, -1, plat::ComboBox::Style::DropdownCombo);
    Place(*list, 110, y, 330, 24);
    for (std::string_view item : items)
        list->AddItem(std::string(item));
    list->SetText(initialText);
    return list;
}

// The list item of a variable; none for 0 (nothing chosen yet) and for any number a parameter file
// may hold beyond the list.
int ItemOf(std::uint8_t variable, std::size_t items) {
    return variable >= 1 && variable <= items ? variable - 1 : -1;
}

} // namespace

frmOutput::frmOutput() : plat::Form("frmOutput"), chkJ(*this, "chkJ") {
    SetCaption("Output Parameters");
    Label1 = MakeLabel(*this, "Label1", "X-Axis :", 16, 18, 90);
    cmbXAxis = List(*this, "cmbXAxis", "Variable on X-Axis", kXAxisItems, 16);
    Label2 = MakeLabel(*this, "Label2", "Y-Axis :", 16, 52, 90);
    cmbYAXis = List(*this, "cmbYAXis", "Variable on Y-Axis", kYAxisItems, 50);
    Label3 = MakeLabel(*this, "Label3", "Ray Selection :", 16, 90, 120);
    for (int i = 0; i < 12; ++i) {
        plat::CheckBox& box = chkJ.Load(i);
        Place(box, 30 + (i / 4) * 130, 114 + (i % 4) * 24, 120, 22);
        box.SetCaption(std::string(kRayCaptions[static_cast<std::size_t>(i)]));
    }
    Command1 = std::make_unique<plat::CommandButton>(*this, "Command1");
    Place(*Command1, 240, 222, 96, 28);
    Command1->SetCaption("Done");
    Command1->Click = [this] { Command1_Click(); };
    Command2 = std::make_unique<plat::CommandButton>(*this, "Command2");
    Place(*Command2, 344, 222, 96, 28);
    Command2->SetCaption("Cancel");
    Command2->Click = [this] { plat::Unload(*this); };
    SetClientSize(plat::PixelsToTwips(456), plat::PixelsToTwips(264));
    Activate = [this] { Form_Activate(); };
}

void frmOutput::Form_Activate() {
    const ModelVariables& m = Model();
    cmbXAxis->SetListIndex(ItemOf(m.XAxisVar, kXAxisItems.size()));
    cmbYAXis->SetListIndex(ItemOf(m.YAxisVar, kYAxisItems.size()));
    for (int i = 0; i < 12; ++i)
        chkJ(i).SetValue(1 - m.RayIgnore(i + 1));
}

void frmOutput::Command1_Click() {
    ModelVariables& m = Model();
    m.XAxisVar = static_cast<std::uint8_t>(cmbXAxis->ListIndex() + 1);
    m.YAxisVar = static_cast<std::uint8_t>(cmbYAXis->ListIndex() + 1);
    for (int i = 0; i < 12; ++i)
        m.RayIgnore(i + 1) = static_cast<std::uint8_t>(1 - chkJ(i).Value());
    plat::Unload(*this);
}

class frmOutput& frmOutput() {
    static plat::DefaultInstance<class frmOutput> instance;
    return instance();
}
