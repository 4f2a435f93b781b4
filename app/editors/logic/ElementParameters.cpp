#include "editors/logic/ElementParameters.h"

#include "platform/text/Strings.h"

using namespace shell;

namespace editors {

ElementParameterTexts LoadElementParameters(const ModelVariables& model) {
    ElementParameterTexts t;
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const AntennaRec& r = model.Ant(k);
        t.AntAlpha[i] = plat::GeneralText(r.Alpha);
        t.AntPhi1[i] = plat::GeneralText(r.Phi1);
        t.AntPhi2[i] = plat::GeneralText(r.Phi2);
        t.AntPhi3[i] = plat::GeneralText(r.Phi3);
    }
    return t;
}

void StoreElementParameters(const ElementParameterTexts& texts, ModelVariables& model) {
    for (int k = 1; k <= 3; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        AntennaRec& r = model.Ant(k);
        r.Alpha = ToSingle(TextNumber(texts.AntAlpha[i]));
        r.Phi1 = ToSingle(TextNumber(texts.AntPhi1[i]));
        r.Phi2 = ToSingle(TextNumber(texts.AntPhi2[i]));
        r.Phi3 = ToSingle(TextNumber(texts.AntPhi3[i]));
    }
}

} // namespace editors
