#pragma once
// What the panels share: the numeric box behaviour with the window's display unit, the antenna
// columns by box kind, showing the rules' texts back in the boxes whose text they changed, and the
// antenna panel's layout on the window.

#include <string>

#include "editors/logic/PanelLayout.h"
#include "editors/logic/PanelTexts.h"
#include "platform/ui/TextBox.h"
#include "shell/mainwindow/frmMain.h"

using AntennaColumn = plat::ControlArray<plat::TextBox>;

// The numeric behaviour with the unit-suffix conversion into the model's LengthUnit.
void MakeNumeric(plat::TextBox& box, plat::NumericSteps enter, plat::NumericSteps leave);

// The boxes of one kind across the three antenna columns.
AntennaColumn& ColumnBoxes(class frmMain& w, AntBox box);

// Writes the text only when it differs, so that an unchanged box keeps its caret and selection.
void SetTextIfChanged(plat::TextBox& box, const std::string& text);

// The texts that a rule changed, written back into the window's boxes.
void ShowAntennaTextsChanged(class frmMain& w, const AntennaPanelTexts& t);
void ShowPathTextsChanged(class frmMain& w, const TheodoliteTexts& t);
void ShowFlightTextsChanged(class frmMain& w, const FlightPanelTexts& t);

// LayoutAntennaPanel's captions, enabled states and colours on the window.
void ShowAntennaLayout(class frmMain& w, const AntennaPanelLayout& layout);
