#pragma once

// The view presets file ViewPresets.txt in the program's folder: a count line "13" and thirteen
// lines "name, Y, X, Z" (CR LF), the last two the user's "User Trg" and "User Eye". A field is a
// number or one of the array tokens "SB", "OS", "HT".

#include "viewer/logic/SceneRules.h"

#include "platform/text/AtomicFile.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace viewer {

inline constexpr int kPresetCount = 13;
inline constexpr std::size_t kPresetWidth = 100;
inline constexpr const char* kPresetsFileName = "ViewPresets.txt";
// The most the file is read: thirteen lines are a few kilobytes.
inline constexpr std::size_t kPresetsFileLimit = std::size_t{1} << 20;

// The default file's fourteen lines.
extern const std::array<const char*, kPresetCount + 1> kDefaultPresetLines;

// The presets in memory: each the trimmed file line, cut at or padded with blanks to 100
// characters; entry 0 is preset 1.
struct ViewPresets {
    std::array<std::string, kPresetCount> Table;
    // Why the file could not be read when the defaults stand in for it; empty when it was read.
    std::string ReadProblem;

    // The names (first fields), in order, as the list shows them.
    std::vector<std::string> Names() const;
};

// Reads the file of the folder, writing the default file first when there is none. Presets the file
// lacks (it has fewer than fourteen lines) are the defaults'. Any bytes are read without fault; a
// file that cannot be read (a folder, a pipe, a device, a read error, one above kPresetsFileLimit)
// gives the defaults and its reason in ReadProblem.
ViewPresets LoadViewPresets(const std::filesystem::path& folder);

// With an empty name writes the default file. With "User Eye" or "User Trg" rewrites that preset as
// "name, Y, X, Z" from the box texts (see StoredBoxText), copies presets 1 to 11 (the defaults'
// where the file lacks them or cannot be read), writes "13" as the count, and updates the table. The
// file is replaced whole by renaming a new one over it.
plat::FileWriteResult WriteViewPresets(const std::filesystem::path& folder, const std::string& name,
                                       const std::string& x, const std::string& y, const std::string& z,
                                       ViewPresets& presets);

// A box text as the presets file stores it: trimmed; empty gives "0.00"; a text that holds a comma
// or is not a number gives Format(Val(text), "####0.00"), so that a line keeps its four fields.
std::string StoredBoxText(const std::string& text);

// The value of one field: "SB" minus the position antenna's Y box, "OS" minus its X box, "HT" 60,
// anything else Val as a single. The position antenna's empty X and Y boxes are set to "0". The
// boxes' values are multiplied by boxFeet, the feet in a unit of the boxes (they may show metres;
// the viewer's points are in feet).
float PresetValue(const std::string& text, AntennaBoxes& antennas, float boxFeet = 1.0F);

// The X/Y/Z box texts of preset n (1..13): field 3, field 2 and field 4, each "####0.00".
struct PresetPoint {
    std::string X0;
    std::string Y0;
    std::string Z0;
};
PresetPoint ApplyViewPreset(const ViewPresets& presets, int n, AntennaBoxes& antennas, float boxFeet = 1.0F);

} // namespace viewer
