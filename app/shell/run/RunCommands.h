#pragma once
// The main window's run and plot commands: "Run Simulation", "Run and Plot", "Plot", "Generate
// Multiple Outputs", "Output Params", toolbar buttons 6 to 8 (and so the keys F5 to F7).

#include <functional>

#include "shell/run/logic/RunControl.h"

namespace plat {
class ComboBox;
class Form;
class GridModel;
class Label;
class MenuItem;
class PictureBox;
class Toolbar;
} // namespace plat
struct AntennaPanelControls;
struct FlightPanelControls;
struct PathControls;

// The main window's controls and commands that the run commands use, filled by the window.
struct RunCommandControls {
    plat::MenuItem& mnuRunSim;
    plat::MenuItem& mnuRunAndPlot;
    plat::MenuItem& mnuPlot;
    plat::MenuItem& mnuGenAll;
    plat::MenuItem& mnuOutput;
    plat::MenuItem& mnuSave;
    plat::MenuItem& mnuLoad;
    plat::Toolbar& Toolbar1;
    plat::PictureBox& Image1;
    plat::Label& lblOutFile;
    plat::Label& lblChanged;
    plat::ComboBox& cmbFlight;
    const AntennaPanelControls& antenna; // the number of antennas chosen
    const PathControls& path;
    const FlightPanelControls& flight; // the number of points
    const plat::GridModel& grdGround;
    plat::MenuItem& mnuUse3D;
    plat::MenuItem& mnuUseSI; // the plot's length unit
    // The main window itself, which the wait window centres on.
    std::function<const plat::Form&()> mainWindow;
    // Copies the controls into the model variables; writes the model's parameter file.
    std::function<void()> collectParameters;
    std::function<shell::WriteStatus()> writeParamFile;
};

// Connects the run and plot commands to the window's menus and toolbar, and the plot window to
// the main window's length unit and the output dialog's quantity list.
void AttachRunControl(const RunCommandControls& c);

// The main window's run state (RunCancelled, and whether a run is active).
shell::RunState& MainRunState();
