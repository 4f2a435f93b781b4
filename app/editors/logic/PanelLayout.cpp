#include "editors/logic/PanelLayout.h"

using namespace shell;

namespace editors {

namespace {

// Every box of a column: a column not in use offers none of them.
constexpr std::array<AntBox, 12> kColumnBoxes{
    AntBox::X,      AntBox::Y,        AntBox::Z,      AntBox::Rot,      AntBox::Atten,  AntBox::PhaseAdj,
    AntBox::SBOMag, AntBox::SBOPhase, AntBox::CSBMag, AntBox::CSBPhase, AntBox::CLRMag, AntBox::CLRPhase};

ColumnState State(bool enabled, std::span<const AntBox> boxes) {
    return {enabled, enabled ? kEnabledBackColor : kDisabledBackColor, boxes};
}

} // namespace

AntennaPanelLayout LayoutAntennaPanel(std::uint8_t n) {
    AntennaPanelLayout layout;
    layout.Captions = {"Lower Antenna", "Middle Antenna", "Upper Antenna"};
    if (n == 1) {
        layout.Middle = State(false, kColumnBoxes);
        layout.Upper = State(false, kColumnBoxes);
        layout.HeightButtons = {false, false, false};
    } else if (n == 2) {
        layout.Captions[0] = "Lower Antenna(*)";
        layout.Middle = State(false, kColumnBoxes);
        layout.Upper = State(true, kColumnBoxes);
        layout.HeightButtons = {true, false, true};
    } else {
        layout.Captions[1] = "Middle Antenna(*)";
        layout.Middle = State(true, kColumnBoxes);
        layout.Upper = State(true, kColumnBoxes);
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
