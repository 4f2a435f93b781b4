#pragma once
// What the panels share: the numeric box behaviour with the window's display unit, writing a text only
// where it changed, and the antenna panel's layout on the window.

#include <string>

#include "editors/logic/PanelLayout.h"
#include "platform/ui/TextBox.h"

struct AntennaPanelControls;

// The numeric behaviour with the unit-suffix conversion into the model's LengthUnit.
void MakeNumeric(plat::TextBox& box, plat::NumericSteps enter, plat::NumericSteps leave);

// Writes the text only when it differs, so that an unchanged box keeps its caret and selection.
void SetTextIfChanged(plat::TextBox& box, const std::string& text);

// LayoutAntennaPanel's captions, enabled states and colours on the window.
void ShowAntennaLayout(const AntennaPanelControls& c, const editors::AntennaPanelLayout& layout);
