#pragma once
// What a run refuses before it writes the parameter file: input the engine would take silently as
// something else (a box or ground cell whose text is not a number reads as 0) or cannot compute with
// (no frequency, a ground profile that turns back on itself). Each refusal names the field.

#include "editors/logic/PanelTexts.h"
#include "platform/grid/GridModel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace shell {

// The antenna panel's boxes in use for numAnts antennas (the array boxes, the columns in use and the
// transmitter modifications), the counted rows of the ground profile grid (none in 3D ground mode):
// the first problem found, or std::nullopt when the run may go on.
std::optional<std::string> RunInputProblem(const editors::AntennaPanelTexts& antenna, std::uint8_t numAnts,
                                           const plat::GridModel& ground, bool use3D);

// The terrain beyond what the engine keeps: more counted rows of the ground profile grid than its
// profile points (two-dimensional ground mode), or, when the profile comes from the 3D ground file (3D
// ground mode, or at most one row), a file of more cuts than it reads. The problem names the file that
// would hold them (inFile, or file3D) and the limit; std::nullopt when the run may go on.
std::optional<std::string> RunCapacityProblem(const plat::GridModel& ground, bool use3D, const std::string& inFile,
                                              const std::string& file3D);

} // namespace shell
