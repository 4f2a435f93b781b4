#pragma once

// The parameter-file reader: a file is read whole into a copy of the model first, and only a file
// read to its end changes the model, the base feeds, the menus, the ground grid and the ground-file
// name. The main window is reached through LoadTarget, so the reader runs without a window.

#include "editors/logic/FeedRules.h"
#include "shell/model/ModelVariables.h"
#include "shell/model/ParamFile.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace shell {

// The most ground profile points a parameter file may hold.
inline constexpr int kMaxFileGroundPoints = 50;
// Rows of the ground grid built for a loaded profile (more when the file holds more points).
inline constexpr int kLoadedGroundGridRows = 30;

inline constexpr char kGroundFileErrorTitle[] = "3D file Error";

struct GroundPoint {
    float x = 0;
    float y = 0;
    float z = 0;
};

// What a parameter file holds for the model and the main window, read in full.
struct ParamFileContents {
    ModelVariables model;            // the model as it stands once the file is loaded
    bool useSI = false;              // the title line's unit digit is 1: metres shown
    bool use3D = true;               // fewer than two ground lines: 3D ground mode
    std::vector<GroundPoint> ground; // the profile as written (Y less OriginShift)
    // The base feeds of the antenna columns the file loads (columnLoaded), with their attenuation
    // and phase adjust undone.
    editors::BaseFeeds baseFeeds;
    std::array<bool, 3> columnLoaded{};
    // The theodolite boxes: ThY, ThX, ThZ as "####0.00".
    std::string thX, thY, thZ;
    // The ground-file line, trimmed; none when the file ends after its end card or the line is
    // blank.
    std::optional<std::string> groundFileLine;
};

struct ReadResult {
    std::optional<ParamFileContents> contents;
    std::string error; // why the file could not be read, when contents is empty
};

// Reads the parameter file at path on top of a copy of `current` (values the file does not hold,
// such as card 6 when it is missing, keep their current values). Nothing is changed.
ReadResult ReadParamFile(const std::string& path, const ModelVariables& current);

// How the ground-file name of a loaded file is resolved.
enum class GroundFileCase {
    Found,                 // the named file exists
    NamedMissingNoDefault, // the named file is missing, and so is StripExtension(InFile) + ".3D"
    NamedMissingDefault,   // the named file is missing, the default exists: asked whether to use it
    NoLineDefault,         // no ground-file line; the default exists
    NoLineNoDefault,       // no ground-file line; no default either
};

struct GroundFileChoice {
    GroundFileCase kind = GroundFileCase::Found;
    std::string file3D;  // the name File3D takes
    std::string message; // the "3D file Error" text, empty for Found
};

// The ground file of a loaded parameter file. A relative name is looked for in the folder of inFile
// only.
GroundFileChoice ResolveGroundFile(const std::optional<std::string>& line, const std::string& inFile);

// Rows 1 .. the grid's last row: the profile points (Y plus OriginShift, "####0.000", mark " X "),
// every other row emptied.
void FillGroundGrid(const ParamFileContents& contents, plat::GridModel& grid);

// The number of data rows the ground grid is built with for a loaded file.
int LoadedGroundGridRows(const ParamFileContents& contents);

// The columns the file loaded take their base feeds from the file; the others keep theirs.
void MergeBaseFeeds(const ParamFileContents& contents, editors::BaseFeeds& into);

// What loading needs of the main window.
class LoadTarget {
public:
    virtual ~LoadTarget() = default;
    virtual void SetUseSIChecked(bool checked) = 0;
    // The ground mode's menu check with its enabled states.
    virtual void SetGroundMode(bool use3D) = 0;
    virtual void SetTheodoliteTexts(const std::string& x, const std::string& y, const std::string& z) = 0;
    virtual void SetLoadedBaseFeeds(const ParamFileContents& contents) = 0;
    virtual void Show3DFile(const std::string& name) = 0;
    // A message box with an OK button, and one with Yes and No (true for Yes).
    virtual void Inform(const std::string& text, const std::string& title) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // The main window's ground-file dialog.
    virtual void ChooseGroundFile3D() = 0;
    // Rebuilds the grid with the given number of data rows and returns it.
    virtual plat::GridModel& InitGroundGrid(int rows) = 0;
};

// Loads the parameter file at path (callers set InFile to the same path first). On success the
// model, the window and File3D show the file and the result is empty; otherwise nothing has
// changed and the result tells why.
std::optional<std::string> LoadParamFile(const std::string& path, ModelVariables& m, LoadTarget& target);

// The message a failed load shows (title kLoadFailedTitle).
inline constexpr char kLoadFailedTitle[] = "File Error";
std::string LoadFailedText(const std::string& path, const std::string& reason);

} // namespace shell
