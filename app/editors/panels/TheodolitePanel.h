#pragma once
// The path and theodolite boxes and the "Calculate" placement of the theodolite.

#include <functional>

class frmMain;

// collectParameters copies the window into the model, as before a save or a run.
void AttachTheodolitePanel(class frmMain& w, std::function<void()> collectParameters);
