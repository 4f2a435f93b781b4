#pragma once
// The main window's controls that the editing panels edit, under the window's names. The window fills
// these structs once its controls exist and keeps them while it lives; the panels see nothing else of
// it.

#include <array>
#include <cstddef>

#include "editors/logic/AntennaBoxes.h"
#include "editors/logic/FeedRules.h"
#include "editors/logic/FlightProfile.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TextBox.h"

using AntennaColumn = plat::ControlArray<plat::TextBox>;

// The antenna columns by kind of box (AntBox), each the window's control array "txt" + the row's name
// in kAntennaBoxes.
using AntennaColumns = std::array<AntennaColumn*, editors::kAntennaBoxes.size()>;

struct AntennaPanelControls {
    plat::TextBox& txtArrayFreq;
    plat::TextBox& txtArrayARatio;
    plat::TextBox& txtArrayModDepth;
    plat::TextBox& txtArrayCLRModDepth;
    plat::ComboBox& cmbAntOrient;
    AntennaColumns columns;
    plat::TextBox& txtSBOPowerAdj;
    plat::TextBox& txtCLRPowerAdjust;
    plat::TextBox& txtCSBSBOPhase;
    plat::ControlArray<plat::OptionButton>& optNumAnts;
    plat::ControlArray<plat::Label>& Label2; // column captions, items 3..5
    plat::ControlArray<plat::CommandButton>& cmdProp; // height buttons, items 1..3
    // The feeds before each antenna's attenuation and phase adjust.
    editors::BaseFeeds& BaseFeedValues;

    AntennaColumn& Column(editors::AntBox box) const { return *columns[static_cast<std::size_t>(box)]; }
};

struct PresetsPanelControls {
    plat::ComboBox& cmbPresets;
    plat::CheckBox& chkIncludeCurPhase;
    plat::ControlArray<plat::CommandButton>& cmdProp; // items 1..3
};

struct PathControls {
    plat::TextBox& txtThPathAngle;
    plat::TextBox& txtThPathWidth;
    plat::TextBox& txtThX;
    plat::TextBox& txtThY;
    plat::TextBox& txtThZ;
    plat::CommandButton& cmdFindTheod;
};

struct FlightPanelControls {
    plat::ComboBox& cmbFlight;
    plat::CheckBox& chkUseDefaults;
    plat::ControlArray<plat::TextBox>& txtFltX;
    plat::ControlArray<plat::TextBox>& txtFltY;
    plat::ControlArray<plat::TextBox>& txtFltZ;
    plat::ControlArray<plat::TextBox>& txtFltAz;
    plat::ControlArray<plat::TextBox>& txtFltEl;
    plat::ControlArray<plat::TextBox>& txtFltRange;
    plat::ControlArray<plat::TextBox>& txtFltAlt;
    plat::ControlArray<plat::Label>& lblX; // item 1
    plat::ControlArray<plat::Label>& lblY;
    plat::ControlArray<plat::Label>& lblZ;
    plat::ControlArray<plat::Label>& Label37; // items 6..8: the units of the X, Y and Z columns
    const plat::MenuItem& mnuUseSI;           // checked: lengths shown in metres
    plat::ControlArray<plat::CommandButton>& cmdConvertPoint;
    plat::TextBox& txtFltNumPoints;
};

struct EditorPanelControls {
    AntennaPanelControls antenna;
    PresetsPanelControls presets;
    PathControls path;
    FlightPanelControls flight;
    plat::MenuItem& mnuUseSI;
    plat::MenuItem& mnuElemParm;
};

// The panels' texts as the editors' rules take them, and shown back: every box (All), or only those
// whose text differs (Changed), so that an unchanged box keeps its caret and selection.
enum class ShowMode { All, Changed };
editors::AntennaPanelTexts AntennaTexts(const AntennaPanelControls& c);
void ShowAntennaTexts(const AntennaPanelControls& c, const editors::AntennaPanelTexts& t,
                      ShowMode mode = ShowMode::All);
editors::TheodoliteTexts PathTexts(const PathControls& c);
void ShowPathTexts(const PathControls& c, const editors::TheodoliteTexts& t, ShowMode mode = ShowMode::All);
editors::FlightPanelTexts FlightTexts(const FlightPanelControls& c);
void ShowFlightTexts(const FlightPanelControls& c, const editors::FlightPanelTexts& t,
                     ShowMode mode = ShowMode::All);
// The end box of an angle the kind of path holds fixed shows the start box's text.
void HoldFixedAngle(const FlightPanelControls& c);
// The kind's captions, enabled states and colours, and each column's unit: degrees for an angle, else
// the length unit the boxes show.
void ShowFlightPanelState(const FlightPanelControls& c, const editors::FlightPanelState& state);

// The number-of-antennas option that is set (0..2), -1 for none.
int NumAntsOption(const AntennaPanelControls& c);

// std::logic_error unless every antenna column is the window's array that kAntennaBoxes names.
void CheckAntennaColumns(const AntennaPanelControls& c);
