#include "shell/mainwindow/logic/MenuTable.h"

#include <algorithm>
#include <array>

namespace shell {

namespace {

// The four run and plot items take F4 to F7, so that the menu agrees with the toolbar's tooltips and
// the window's own keys (F5 run, F6 run and plot, F7 plot).
constexpr std::array<MenuEntry, 31> kMenus{{
    {"mnuFile", "&File", 0, "", true},
    {"mnuNew", "&New Param File", 1, "", true},
    {"mnuLoad", "&Load Param File", 1, "", true},
    {"mnuSave", "&Save Param File", 1, "", true},
    {"mnuline2", "-", 1, "", true},
    {"mnuUse3D", "Use 3D File", 1, "", true},
    {"mnu3DFilename", "Change &3D Filename", 1, "", true},
    {"mnuEdit3D", "Edit 3&D File", 1, "", true},
    {"Line", "-", 1, "", true},
    {"mnuOutFile", "Load Output File", 1, "", true},
    {"mnuPrev", "-", 1, "", true},
    {"mnuFileExit", "Exit", 1, "", true},
    {"mnuParams", "&Other Parameters", 0, "", true},
    {"mnuRay", "Use Ray Optics", 1, "", true},
    {"mnuGTD", "Use GTD", 1, "", true},
    {"mnuPO", "Use Phys. Opt.", 1, "", true},
    {"mnuLine5", "-", 1, "", true},
    {"mnuElemParm", "Element Params", 1, "", true},
    {"mnuOutput", "O&utput Params", 1, "", true},
    {"mnuPlotParms", "Plot Params", 1, "F4", true},
    {"mnuLine6", "-", 1, "", false},
    {"mnuUseSI", "Use SI Units", 1, "", false},
    {"mnurunplot", "Run/Plot", 0, "", true},
    {"mnuRunSim", "Run Simulation", 1, "F5", true},
    {"mnuRunAndPlot", "Run and Plot", 1, "F6", true},
    {"mnuPlot", "Plot", 1, "F7", true},
    {"mnuLine7", "-", 1, "", true},
    {"mnuGenAll", "Generate Multiple Outputs", 1, "", true},
    {"nmuHelp", "&Help", 0, "", true},
    {"mnuCoorHelp", "Coordinate Help", 1, "", true},
    {"frmAbout", "About", 1, "", true},
}};

constexpr std::array<ToolbarEntry, kToolbarButtonCount> kButtons{{
    {1, "New Parameter File", static_cast<int>(ToolbarImage::New), false},
    {2, "Save Parameter File", static_cast<int>(ToolbarImage::Save), false},
    {3, "Open Parameter File", static_cast<int>(ToolbarImage::Open), false},
    {4, "", 0, true},
    {5, "Click to Use 3D or 2D File", static_cast<int>(ToolbarImage::Ground2D), false},
    {6, "Run Simulation, F5", static_cast<int>(ToolbarImage::Run), false},
    {7, "Run Simulation and Plot, F6", static_cast<int>(ToolbarImage::RunAndPlot), false},
    {8, "Plot, F7", static_cast<int>(ToolbarImage::Plot), false},
    {9, "", 0, true},
    {10, "Use Ray Optics", static_cast<int>(ToolbarImage::RayOptics), false},
    {11, "Use GTD", static_cast<int>(ToolbarImage::Gtd), false},
    {12, "Use Physical Optics", static_cast<int>(ToolbarImage::PhysicalOptics), false},
}};

} // namespace

std::span<const MenuEntry> MainMenuTable() { return kMenus; }

const MenuEntry* FindMenuEntry(std::string_view name) {
    const auto it = std::find_if(kMenus.begin(), kMenus.end(), [&](const MenuEntry& e) { return e.name == name; });
    return it == kMenus.end() ? nullptr : &*it;
}

std::span<const ToolbarEntry> ToolbarTable() { return kButtons; }

} // namespace shell
