#pragma once
// Gives the main window's editing panels their behaviour: the antenna panel with its presets and
// layout, the theodolite and path, the flight profile, and the element parameters menu item.

#include <functional>

struct EditorPanelControls;

// The controls must outlive the panels' handlers (the window keeps both). collectParameters copies
// the window into the model (the theodolite placement collects first).
void AttachEditorPanels(const EditorPanelControls& c, std::function<void()> collectParameters);
