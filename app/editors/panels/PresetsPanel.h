#pragma once
// The array presets list and the height-ratio buttons of the antenna panel.

struct EditorPanelControls;

void AttachPresetsPanel(const EditorPanelControls& c);
