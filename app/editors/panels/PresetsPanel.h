#pragma once
// The array presets list and the height-ratio buttons of the antenna panel.

class frmMain;

void AttachPresetsPanel(class frmMain& w);
