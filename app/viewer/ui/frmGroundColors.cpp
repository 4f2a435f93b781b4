#include "viewer/ui/frmGroundColors.h"

namespace {

constexpr std::array<const char*, 6> kCaptions{
    "Background:", "Horizontal Grid:", "Ground:", "Runway:", "Top Vertical Grid:", "Bottom Vertical Grid:"};

} // namespace

const GroundColourSet kDarkOnLight{};
const GroundColourSet kLightOnDark{0, 0xFFFFFF, 0xFF, 0xFFFF00, 0xC0C000, 7976159.0F};

frmGroundColors::frmGroundColors() : plat::Form("frmGroundColors") {
    SetCaption("Ground View Colors");
    SetClientSize(4860, 3600);
    for (int i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Label1[k] = std::make_unique<plat::Label>(*this, "Label1", i);
        Label1[k]->Move(120, 150 + 420 * i, 2100, 285);
        Label1[k]->SetCaption(kCaptions[k]);
        cmdColor[k] = std::make_unique<plat::CommandButton>(*this, "cmdColor", i);
        cmdColor[k]->Move(2400, 90 + 420 * i, 1500, 375);
        cmdColor[k]->Click = [this, i] { cmdColor_Click(i); };
    }
    const auto button = [this](std::unique_ptr<plat::CommandButton>& b, const char* name, const char* caption,
                               int left) {
        b = std::make_unique<plat::CommandButton>(*this, name);
        b->Move(left, 2760, 1500, 495); // room for "Apply Changes"
        b->SetCaption(caption);
    };
    button(cmdDefault, "cmdDefault", "Dark on Light", 120);
    button(cmdLight, "cmdLight", "Light on Dark", 1680);
    button(cmdExit, "cmdExit", "Apply Changes", 3240);
    cmdDefault->Click = [this] { SetAll(kDarkOnLight); };
    cmdLight->Click = [this] { SetAll(kLightOnDark); };
    cmdExit->Click = [this] { plat::Unload(*this); };
}

frmGroundColors::~frmGroundColors() = default;

void frmGroundColors::Start(const GroundColourSet& colours, plat::CommonDialog* dialog) {
    dialog_ = dialog != nullptr ? dialog : &ownDialog_;
    SetAll(colours);
}

std::int32_t frmGroundColors::ColourOf(int index) const {
    switch (index) {
    case 0:
        return Colours.BackgroundColor;
    case 1:
        return Colours.GridColor;
    case 2:
        return Colours.GroundColor;
    case 3:
        return Colours.RunwayColor;
    case 4:
        return Colours.Grid2Color;
    default:
        return static_cast<std::int32_t>(Colours.Grid3Color);
    }
}

void frmGroundColors::SetColourOf(int index, std::int32_t colour) {
    switch (index) {
    case 0:
        Colours.BackgroundColor = colour;
        break;
    case 1:
        Colours.GridColor = colour;
        break;
    case 2:
        Colours.GroundColor = colour;
        break;
    case 3:
        Colours.RunwayColor = colour;
        break;
    case 4:
        Colours.Grid2Color = colour;
        break;
    default:
        Colours.Grid3Color = static_cast<float>(colour);
        break;
    }
    cmdColor[static_cast<std::size_t>(index)]->SetBackColor(static_cast<plat::Colour>(colour));
}

void frmGroundColors::SetAll(const GroundColourSet& colours) {
    Colours = colours;
    for (int i = 0; i < 6; ++i) {
        SetColourOf(i, ColourOf(i));
    }
}

// The picker starts from the button's colour; a cancel changes nothing.
void frmGroundColors::cmdColor_Click(int index) {
    dialog_->CancelError = true;
    dialog_->Flags = 1;
    dialog_->Color = static_cast<std::uint32_t>(ColourOf(index));
    try {
        dialog_->ShowColor();
        SetColourOf(index, static_cast<std::int32_t>(dialog_->Color));
    } catch (const plat::DialogCancelledError&) {
    }
    dialog_->CancelError = false;
}

class frmGroundColors& frmGroundColors() {
    static plat::DefaultInstance<class frmGroundColors> instance;
    return instance();
}
