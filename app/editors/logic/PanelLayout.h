#pragma once

// The antenna panel's layout by number of antennas: the column captions with the reference mark,
// which columns are in use, and the enabled state and colour of the middle and upper columns.

#include "shell/model/ModelVariables.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace editors {

// Back colours of input boxes, 0xBBGGRR.
inline constexpr std::uint32_t kEnabledBackColor = 0xFFFFFF;
inline constexpr std::uint32_t kDisabledBackColor = 0xC0C0C0;

// The boxes of one antenna column.
enum class AntBox { X, Y, Z, Rot, Atten, PhaseAdj, SBOMag, SBOPhase, CSBMag, CSBPhase, CLRMag, CLRPhase };

struct ColumnState {
    bool Enabled = true;
    std::uint32_t BackColor = kEnabledBackColor;
    std::span<const AntBox> Boxes; // the boxes the state covers, in the order they are set
};

struct AntennaPanelLayout {
    std::array<std::string, 3> Captions; // Label2(3), Label2(4), Label2(5)
    ColumnState Middle;                  // all twelve boxes of column 1
    ColumnState Upper;                   // all twelve boxes of column 2
    // cmdProp(1..3): a height button is offered when the height it spreads from and at least one it
    // spreads to belong to antennas in use.
    std::array<bool, 3> HeightButtons{true, true, true};
};

// LayoutAntennaPanel for n antennas; any n other than 1 and 2 lays out three.
AntennaPanelLayout LayoutAntennaPanel(std::uint8_t n);

// The columns in use for n antennas (3: 0, 1, 2; 2: 0, 2; 1: 0); hidden columns hold copies.
std::vector<int> ColumnsInUse(std::uint8_t n);

// Click on optNumAnts(index): NumAnts := index + 1, and the layout for it. No box, record or base
// feed changes.
AntennaPanelLayout SelectNumberOfAntennas(int index, shell::ModelVariables& model);

} // namespace editors
