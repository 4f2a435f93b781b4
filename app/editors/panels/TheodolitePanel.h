#pragma once
// The path and theodolite boxes and the "Calculate" placement of the theodolite.

#include <functional>

struct AntennaPanelControls;
struct PathControls;

// collectParameters copies the window into the model, as before a save or a run; the placement reads
// the antenna panel.
void AttachTheodolitePanel(const PathControls& c, const AntennaPanelControls& antenna,
                           std::function<void()> collectParameters);
