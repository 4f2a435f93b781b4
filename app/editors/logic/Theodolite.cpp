#include "editors/logic/Theodolite.h"

#include "common/BoxValue.h"
#include "common/VectorsAndMatrices.h"
#include "common/modFunctions.h"
#include "platform/text/Strings.h"

using namespace common;

namespace editors {

void ValidateTheodolite(TheodoliteTexts& path) {
    path.ThX = GuardedNumericText(path.ThX);
    path.ThY = GuardedNumericText(path.ThY);
    path.ThZ = GuardedNumericText(path.ThZ);
}

void CalculateTheodolite(const AntennaPanelTexts& antennas, TheodoliteTexts& path, std::uint8_t numAnts) {
    ValidateTheodolite(path);
    const std::size_t ref = numAnts == 3 ? 1 : 0;
    float x = ToSingle(common::BoxValue(antennas.AntX[ref]));
    float y = ToSingle(common::BoxValue(antennas.AntY[ref]));
    const auto h = ToSingle(common::BoxValue(path.ThZ));
    const auto theta = ToSingle(common::BoxValue(path.ThPathAngle));
    OffsetAgainstBearing(x, y, h, theta);
    path.ThY = plat::Format(y, "####0.00");
    path.ThX = plat::Format(x, "####0.00");
}

} // namespace editors
