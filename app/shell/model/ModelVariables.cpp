#include "shell/model/ModelVariables.h"

namespace shell {

int ReferenceAntenna(std::uint8_t numAnts) {
    return numAnts == 3 ? 2 : 3;
}

int AntennaOfFileLine(int i, std::uint8_t numAnts) {
    return (numAnts == 2 && i == 2) ? 3 : i;
}

ModelVariables& Model() {
    static ModelVariables model;
    return model;
}

} // namespace shell
