#include "editors/panels/PanelBoxes.h"

#include <utility>

#include "common/controls/TextBoxRoutines.h"
#include "editors/panels/PanelControls.h"
#include "shell/model/ModelVariables.h"

using namespace common;
using namespace editors;
using namespace shell;

void MakeNumeric(plat::TextBox& box, plat::NumericSteps enter, plat::NumericSteps leave) {
    box.SetNumericBehaviour(NumericBoxBehaviour(enter, leave, [] { return Model().LengthUnit; }));
}

void SetTextIfChanged(plat::TextBox& box, const std::string& text) {
    if (box.Text() != text)
        box.SetText(text);
}

void ShowAntennaLayout(const AntennaPanelControls& c, const AntennaPanelLayout& layout) {
    for (int i = 0; i < 3; ++i)
        c.Label2(3 + i).SetCaption(layout.Captions[static_cast<std::size_t>(i)]);
    // Each column: first every box's Enabled flag, then every box's colour.
    const std::pair<int, const ColumnState*> columns[] = {{1, &layout.Middle}, {2, &layout.Upper}};
    for (const auto& [col, state] : columns) {
        for (AntBox box : state->Boxes)
            c.Column(box)(col).SetEnabled(state->Enabled);
        for (AntBox box : state->Boxes)
            c.Column(box)(col).SetBackColor(state->BackColor);
    }
    for (int i = 1; i <= 3; ++i)
        c.cmdProp(i).SetEnabled(layout.HeightButtons[static_cast<std::size_t>(i - 1)]);
}
