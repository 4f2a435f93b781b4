#include "editors/logic/PanelLayout.h"

using namespace shell;

namespace editors {

namespace {

constexpr std::array<AntBox, 12> kMiddleBoxes{
    AntBox::X,      AntBox::Y,        AntBox::Z,      AntBox::Rot,      AntBox::Atten,  AntBox::PhaseAdj,
    AntBox::SBOMag, AntBox::SBOPhase, AntBox::CSBMag, AntBox::CSBPhase, AntBox::CLRMag, AntBox::CLRPhase};

// The upper column's rotation, attenuation and phase adjust keep their state in every layout.
constexpr std::array<AntBox, 9> kUpperBoxes{AntBox::X,        AntBox::Y,        AntBox::Z,
                                            AntBox::SBOMag,   AntBox::SBOPhase, AntBox::CSBMag,
                                            AntBox::CSBPhase, AntBox::CLRMag,   AntBox::CLRPhase};

ColumnState State(bool enabled, std::span<const AntBox> boxes) {
    return {enabled, enabled ? kEnabledBackColor : kDisabledBackColor, boxes};
}

} // namespace

AntennaPanelLayout LayoutAntennaPanel(std::uint8_t n) {
    AntennaPanelLayout layout;
    layout.Captions = {"Lower Antenna", "Middle Antenna", "Upper Antenna"};
    if (n == 1) {
        layout.Middle = State(false, kMiddleBoxes);
        layout.Upper = State(false, kUpperBoxes);
    } else if (n == 2) {
        layout.Captions[0] = "Lower Antenna(*)";
        layout.Middle = State(false, kMiddleBoxes);
        layout.Upper = State(true, kUpperBoxes);
    } else {
        layout.Captions[1] = "Middle Antenna(*)";
        layout.Middle = State(true, kMiddleBoxes);
        layout.Upper = State(true, kUpperBoxes);
    }
    return layout;
}

std::vector<int> ColumnsInUse(std::uint8_t n) {
    if (n == 1)
        return {0};
    if (n == 2)
        return {0, 2};
    return {0, 1, 2};
}

AntennaPanelLayout SelectNumberOfAntennas(int index, ModelVariables& model) {
    model.NumAnts = static_cast<std::uint8_t>(index + 1);
    return LayoutAntennaPanel(model.NumAnts);
}

} // namespace editors
