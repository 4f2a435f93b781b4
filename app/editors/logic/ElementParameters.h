#pragma once

// The element parameters dialog's rules: the twelve boxes filled from the antenna records, and
// "Done" storing them back. The dialog keeps no data of its own; Cancel stores nothing.

#include "editors/logic/PanelTexts.h"
#include "shell/model/ModelVariables.h"

namespace editors {

// The dialog's boxes, column i editing Ant(i + 1).
struct ElementParameterTexts {
    ColumnTexts AntAlpha;
    ColumnTexts AntPhi1;
    ColumnTexts AntPhi2;
    ColumnTexts AntPhi3;
};

// Load: Alpha, Phi1, Phi2, Phi3 of each record as its general text, whatever NumAnts is.
ElementParameterTexts LoadElementParameters(const shell::ModelVariables& model);

// "Done": the twelve words from the boxes (guarded when they lost the focus), as single precision.
void StoreElementParameters(const ElementParameterTexts& texts, shell::ModelVariables& model);

} // namespace editors
