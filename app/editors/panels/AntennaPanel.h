#pragma once
// The antenna panel of the main window: the array-wide boxes, the per-antenna columns with their
// mirroring into hidden columns, the feed rules, attenuation and phase adjust, the transmitter
// modifications and the number-of-antennas options.

struct AntennaPanelControls;

void AttachAntennaPanel(const AntennaPanelControls& c);
