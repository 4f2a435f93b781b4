// The viewer's presets list: named points from ViewPresets.txt in the program's folder, chosen into
// the X/Y/Z boxes, and the image that stores the boxes as the user's target or eye preset.

#include "viewer/ui/frmViewGround.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/Constants.h"
#include "platform/engine/EngineBinding.h"
#include "platform/services/MessageBox.h"
#include "platform/text/Strings.h"
#include "viewer/ui/StorePresetIcon.h"

namespace {

constexpr int kPresetsLeft = 11250; // the right-hand panel
constexpr char kValueFormat[] = "####0.00";

} // namespace

std::filesystem::path& frmViewGround::ProgramFolder() {
    static std::filesystem::path folder = plat::ExecutableFolder();
    return folder;
}

void frmViewGround::BuildPresetsControls() {
    // Below "Refresh".
    const int presetsTop = cmdRefresh->Top() + cmdRefresh->Height() + 60;
    const auto label = [this](std::unique_ptr<plat::Label>& l, const char* name, const char* caption,
                              int left, int top, int width) {
        l = std::make_unique<plat::Label>(*this, name);
        l->Move(left, top, width, 240);
        l->SetCaption(caption);
    };
    label(lblViewPresets, "lblViewPresets", "View Presets", kPresetsLeft, presetsTop, 1500);
    cmbPresets = std::make_unique<plat::ComboBox>(*this, "cmbPresets");
    cmbPresets->Move(kPresetsLeft, presetsTop + 240, 2400, 315);
    cmbPresets->SetPrompt("View Presets");
    Image3 = std::make_unique<plat::Image>(*this, "Image3");
    const int icon = kStorePresetIconSize * 15;
    Image3->Move(kPresetsLeft + 2460, presetsTop + 240, icon, icon);
    Image3->SetPicture(StorePresetIcon());
    Image3->SetToolTipText("Store the X/Y/Z point as User Trg (Target) or User Eye (Eye)");

    // What the array's tokens in the presets stand for now, in feet.
    int top = presetsTop + 600;
    struct Token {
        std::unique_ptr<plat::Label>* caption;
        const char* name;
        const char* text;
        std::unique_ptr<plat::Label>* value;
        const char* valueName;
    };
    for (const Token& t : {Token{&lblSB, "lblSB", "SB:", &lblSBValue, "lblSBValue"},
                           Token{&lblOS, "lblOS", "OS:", &lblOSValue, "lblOSValue"},
                           Token{&lblHT, "lblHT", "HT:", &lblHTValue, "lblHTValue"}}) {
        label(*t.caption, t.name, t.text, kPresetsLeft, top, 450);
        label(*t.value, t.valueName, "", kPresetsLeft + 450, top, 1200);
        top += 240;
    }
    lblSB->SetToolTipText("SB: the array's X in feet, minus the position antenna's Y");
    lblOS->SetToolTipText("OS: the array's Y in feet, minus the position antenna's X");
    lblHT->SetToolTipText("HT: the height of Array-Top in feet");
    SetClientSize(ScaleWidth(), std::max(ScaleHeight(), top + 60));

    cmbPresets->Click = [this] { cmbPresets_Click(); };
    // The antenna boxes may have changed on the main window since the values were shown.
    cmbPresets->GotFocus = [this] { ShowPresetTokens(); };
    Image3->Click = [this] { Image3_Click(); };
}

void frmViewGround::LoadViewPresets() {
    presets_ = viewer::LoadViewPresets(ProgramFolder());
    if (!presets_.ReadProblem.empty()) {
        plat::MsgBox("The view presets file " + (ProgramFolder() / viewer::kPresetsFileName).generic_string() +
                         " cannot be read.\r\n" + presets_.ReadProblem + "\r\nThe default presets are used.",
                     plat::vbExclamation);
    }
    cmbPresets->Clear();
    for (const std::string& name : presets_.Names()) {
        cmbPresets->AddItem(name);
    }
    ShowPresetTokens();
}

viewer::AntennaBoxes frmViewGround::MainAntennaBoxes() const {
    return host_.antennaBoxes ? host_.antennaBoxes() : viewer::AntennaBoxes{};
}

float frmViewGround::AntennaBoxFeet() const {
    return host_.useSI && host_.useSI() ? common::kFeetPerMetreSingle : 1.0F;
}

// Only shows the values: the main window's empty boxes are filled when a preset is chosen.
void frmViewGround::ShowPresetTokens() {
    viewer::AntennaBoxes antennas = MainAntennaBoxes();
    const float feet = AntennaBoxFeet();
    lblSBValue->SetCaption(plat::Format(viewer::PresetValue("SB", antennas, feet), kValueFormat));
    lblOSValue->SetCaption(plat::Format(viewer::PresetValue("OS", antennas, feet), kValueFormat));
    lblHTValue->SetCaption(plat::Format(viewer::PresetValue("HT", antennas, feet), kValueFormat));
}

void frmViewGround::cmbPresets_Click() {
    const int n = cmbPresets->ListIndex() + 1;
    if (n < 1 || n > viewer::kPresetCount) {
        return;
    }
    viewer::AntennaBoxes antennas = MainAntennaBoxes();
    const viewer::PresetPoint point = viewer::ApplyViewPreset(presets_, n, antennas, AntennaBoxFeet());
    if (host_.setAntennaBoxes) {
        host_.setAntennaBoxes(antennas);
    }
    viewer::ViewBoxes boxes = Boxes();
    boxes.X0 = point.X0;
    boxes.Y0 = point.Y0;
    boxes.Z0 = point.Z0;
    // The point goes into the camera now (as the redraw would), so that the distance and angles shown
    // are the new ones even when the redraw draws nothing; a flight keeps its own points.
    if (!View.Moving()) {
        viewer::TakeChosenPoint(View, boxes);
    }
    viewer::UpdateViewAngles(View, boxes);
    ShowBoxes(boxes);
    ShowPresetTokens();
    RedrawView();
}

void frmViewGround::Image3_Click() {
    const std::string name = optTargetEye0->Value() ? "User Trg" : "User Eye";
    const plat::FileWriteResult written = viewer::WriteViewPresets(ProgramFolder(), name, txtX0->Text(),
                                                                   txtY0->Text(), txtZ0->Text(), presets_);
    // The list shows the stored preset without applying it: the boxes already hold it.
    const int position = name == "User Trg" ? viewer::kPresetCount - 2 : viewer::kPresetCount - 1;
    auto click = std::exchange(cmbPresets->Click, nullptr);
    cmbPresets->SetList(position, name);
    cmbPresets->SetListIndex(position);
    cmbPresets->Click = std::move(click);
    if (!written) {
        plat::MsgBox("The view presets file " +
                         (ProgramFolder() / viewer::kPresetsFileName).generic_string() +
                         " cannot be written.\r\n" + written.reason + "\r\nThe stored " + name +
                         " preset applies until the viewer is closed.",
                     plat::vbExclamation);
    }
}
