#pragma once
// Gives the main window's editing panels their behaviour: the antenna panel with its presets and
// layout, the theodolite and path, the flight profile, and the element parameters menu item.

#include <functional>

class frmMain;

// collectParameters copies the window into the model (the theodolite placement collects first).
void AttachEditorPanels(class frmMain& w, std::function<void()> collectParameters);
