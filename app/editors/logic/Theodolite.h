#pragma once

// The theodolite and path boxes: the theodolite guard and the "Calculate" placement of the
// theodolite on the line from the reference antenna toward the origin.

#include "editors/logic/PanelTexts.h"

#include <cstdint>

namespace editors {

// ValidateTheodolite: the numeric guard on the offset, setback and height texts, in this order.
void ValidateTheodolite(TheodoliteTexts& path);

// "Calculate", after the window has been collected into the model (numAnts as collected): the
// theodolite boxes are guarded, then the reference antenna's offset and setback (column 1 with
// three antennas, else column 0) move toward the origin by height / tan(path angle), shown as
// "####0.00" in the setback and offset boxes. The height box and the antenna boxes stay.
void CalculateTheodolite(const AntennaPanelTexts& antennas, TheodoliteTexts& path, std::uint8_t numAnts);

} // namespace editors
