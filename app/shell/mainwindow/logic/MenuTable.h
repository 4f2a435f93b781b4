#pragma once
// The main window's menu bar and toolbar as data: the window builds both from these tables.

#include <span>
#include <string_view>

namespace shell {

struct MenuEntry {
    std::string_view name;     // the item's control name
    std::string_view caption;  // "&" marks the access letter; "-" is a separator
    int level;                 // 0 a menu of the bar, 1 an item of the menu above it
    std::string_view shortcut; // a function key ("F5") or empty
    bool visible;
};

// Every menu and item in the order of the bar, each item after its menu.
std::span<const MenuEntry> MainMenuTable();

// The entry of that name; nullptr when there is none.
const MenuEntry* FindMenuEntry(std::string_view name);

inline constexpr int kToolbarButtonCount = 12;

struct ToolbarEntry {
    int index;                // 1..12
    std::string_view tooltip; // empty for a separator
    int image;                // 1-based image of the image list; 0 for a separator
    bool separator;
};

// The twelve buttons of Toolbar1; buttons 10 to 12 show the field model, one of them down at a time.
std::span<const ToolbarEntry> ToolbarTable();

// The image list of the toolbar, 1-based, in the order the table's image numbers refer to.
enum class ToolbarImage {
    New = 1,
    Save = 2,
    Ground3D = 3, // button 5 while the 3D ground file is in use
    Open = 4,
    Ground2D = 5, // button 5 while the two-dimensional profile is in use
    Run = 6,
    RunAndPlot = 7,
    Plot = 8,
    RayOptics = 9,
    Gtd = 10,
    PhysicalOptics = 11,
};
inline constexpr int kToolbarImageCount = 11;

} // namespace shell
