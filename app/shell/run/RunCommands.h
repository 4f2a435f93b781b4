#pragma once
// The main window's run commands: "Run Simulation", "Run and Plot", "Generate Multiple Outputs",
// "Output Params", toolbar buttons 6 and 7 (and so the keys F5 and F6). The plot commands stay
// disabled until the plot window exists; "Run and Plot" runs without plotting meanwhile.

#include "shell/run/logic/RunControl.h"

class frmMain;

// Connects the run commands to the window's menus and toolbar and enables them once the window has
// loaded (at once when it already has).
void AttachRunControl(class frmMain& w);

// The main window's run state (RunCancelled, and whether a run is active).
RunState& MainRunState();
