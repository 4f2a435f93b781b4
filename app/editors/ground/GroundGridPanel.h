#pragma once

// The main window's side of the ground profile grid: its flexible grid, the floating editor over it
// and the "Flatten Terrain" and "Restore Terrain" buttons, wired to the profile rules. The other
// ground buttons open windows that do not exist yet and get no handler here.

#include "editors/ground/GroundProfileGrid.h"

#include <cstdint>
#include <memory>

namespace plat {
class CommandButton;
class FlexGrid;
class TextBox;
} // namespace plat

namespace editors {
class TextBoxCellEditor;
}

class GroundGridPanel {
public:
    // lengthUnit is the display unit that typed unit suffixes convert into (LengthUnit).
    GroundGridPanel(plat::FlexGrid& grdGround, plat::TextBox& txtData, plat::CommandButton& cmdFlat,
                    plat::CommandButton& cmdRestoreGnd, const std::uint8_t& lengthUnit);
    ~GroundGridPanel();
    GroundGridPanel(const GroundGridPanel&) = delete;
    GroundGridPanel& operator=(const GroundGridPanel&) = delete;

    // Builds the grid for n data rows with the flat default profile. The heights saved by the last
    // flatten belong to the profile replaced: they are dropped and "Restore Terrain" is disabled.
    void InitGroundGrid(int n);
    // Whether "Restore Terrain" has heights of this profile to write back.
    bool CanRestore() const;

    // Writes an edit still open in the floating editor into its cell and closes the editor; call it
    // before the model is collected.
    void CommitOpenEdit();

private:
    plat::CommandButton& cmdRestoreGnd_;
    std::unique_ptr<editors::TextBoxCellEditor> editor_;
    std::unique_ptr<editors::GroundProfileGrid> rules_;
};
