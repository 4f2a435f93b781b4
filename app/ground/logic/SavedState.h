#pragma once

// Whether the ground editor's grid matches its file, and whether "Save" is offered, after each event.

namespace ground {

enum class GroundEvent {
    FileRead,     // the window's load with an existing file, "Load File", "Save"
    NoFileAtLoad, // the window's load without a file
    SavedAs,      // a completed "Save As..."
    DataChanged,  // a key in the grid, Resize, Translate, Swap, paste, node and cut commands, a click commit
    Cleared,      // "Clear Grid"
};

struct SavedState {
    bool saved = false;
    bool saveEnabled = true;
};

// The state after the event.
SavedState After(GroundEvent event);

} // namespace ground
