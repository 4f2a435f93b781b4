#include "common/controls/TextBoxRoutines.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "common/modFunctions.h"

namespace common {

void ConvertTextBoxUnits(plat::Control& control, std::uint8_t unit) {
    if (control.TypeName() != "TextBox") {
        return;
    }
    auto& box = static_cast<plat::TextBox&>(control);
    box.SetText(ConvertedBoxText(box.Text(), unit));
}

void EnsureNumericText(plat::Control& control) {
    if (control.TypeName() != "TextBox") {
        return;
    }
    auto& box = static_cast<plat::TextBox&>(control);
    const std::string text = box.Text();
    const std::string guarded = GuardedNumericText(text);
    if (guarded != text) {
        box.SetText(guarded);
    }
}

plat::NumericBehaviour NumericBoxBehaviour(plat::NumericSteps enter, plat::NumericSteps leave,
                                           std::function<std::uint8_t()> unit) {
    if ((enter.convert || leave.convert) && !unit) {
        throw std::invalid_argument("a numeric box that converts needs its display unit");
    }
    plat::NumericBehaviour behaviour{enter, leave, nullptr, [](plat::TextBox& box) { EnsureNumericText(box); }};
    if (unit) {
        behaviour.convert = [unit = std::move(unit)](plat::TextBox& box) { ConvertTextBoxUnits(box, unit()); };
    }
    return behaviour;
}

} // namespace common
