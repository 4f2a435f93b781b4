#pragma once

// The parameter file (".inp"): the saved form of the model and the field engine's input. The writer
// needs no window: it reads the ground profile grid's model, the display-unit and
// ground-mode menu checks as booleans, and asks its questions through callbacks that the main
// window connects to its message box and file dialog.

#include "platform/grid/GridModel.h"
#include "shell/model/ModelVariables.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace shell {

// The main window's two-dimensional ground profile grid as the writer reads it (row 0 is the heading
// row; data rows are 1 .. Rows() - 1; columns 1 X, 2 Y, 3 Z, 4 the profile mark " X "), and the menu
// checks the writer follows: `mnuUseSI` (lengths in the grid shown in metres) and `mnuUse3D` (3D
// ground mode).
struct ParamFileView {
    const plat::GridModel& grid;
    bool useSI = false;
    bool use3D = false;
};

enum class OverwriteAnswer { Yes, No, Cancel };

// What the writer asks the user and shows. askOverwrite and saveDialog are needed only when the
// question comes up; the label callbacks may be left empty.
struct ParamFileUi {
    // The overwrite question (buttons Yes, No, Cancel; no icon); closing the box answers Cancel.
    std::function<OverwriteAnswer(const std::string& text)> askOverwrite;
    // A Save dialog given an initial file name and a filter; std::nullopt when it is cancelled.
    std::function<std::optional<std::string>(const std::string& fileName, const std::string& filter)>
        saveDialog;
    std::function<void(const std::string&)> showInFile;  // lblInFile
    std::function<void(const std::string&)> show3DFile;  // lbl3DFile
    std::function<void(const std::string&)> showOutFile; // lblOutFile (the Save menu only)
    // Told why a write failed: the file that could not be written and the system's reason.
    std::function<void(const std::string& path, const std::string& reason)> writeFailed;
};

inline constexpr char kOverwriteQuestion[] = "Parameter File Exists.\rOverwrite? ";
// Filter of the save dialog after the overwrite question was answered No.
inline constexpr char kNewParamFileFilter[] =
    "Output Files(*.inp)|*.inp|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";
// Filter of the Save menu's dialog.
inline constexpr char kSaveParamFileFilter[] =
    "Parameter Files(*.inp, *.txt)|*.inp;*.txt |All Files(*.*)|*.*";

enum class WriteStatus {
    Written,   // the file named InFile now holds the model
    Cancelled, // the overwrite question was answered Cancel (or closed)
    Declined,  // answered No, then the save dialog was cancelled or gave an empty name
    Failed,    // the file could not be written (no file, folder, a grid cell that is not a number,
               // an antenna count beyond the records); a previous file of that name is untouched
};

// Writes the model to InFile, asking before it overwrites any existing file other than the bare
// name "temp.inp". Sets OriginShift := -RefAntY and TraceLevel := 0; may change InFile (a new name
// chosen after No) and File3D (derived from InFile when empty); creates the one-point default ground
// file when no file named File3D exists. Callers collect the controls first. The file is written
// beside its final name and renamed into place, so a failure leaves any earlier file whole.
WriteStatus WriteParamFile(ModelVariables& m, const ParamFileView& view, const ParamFileUi& ui);

// The Save menu: a Save dialog on InFile; the chosen name becomes InFile (shown); when it is not
// empty: collect, write, and OutFile := StripExtension(InFile) + ".prn" (shown) unless the writer
// left InFile empty. std::nullopt when the dialog was cancelled or gave an empty name (nothing
// collected or written).
std::optional<WriteStatus> SaveParamFileFromMenu(ModelVariables& m, const ParamFileView& view,
                                                 const ParamFileUi& ui,
                                                 const std::function<void()>& collectParameters);

// The path less the extension of its file-name part ("" for ""); a dot in a folder name is not an
// extension.
std::string StripExtension(const std::string& path);

// The run title: the file-name part up to its first dot.
std::string GetHeader(const std::string& path);

// The folder of a path up to and including its last '/'; the current directory when it has none.
std::string FileFolder(const std::string& path);

// The number of leading data rows that hold a Y and a Z and the mark "X" (blanks trimmed); counting
// stops at the first row that does not, at the grid's last row, and at 255.
std::uint8_t CountGroundRows(const plat::GridModel& grid);

// Writes the one-point 3D ground file (one node per cut, one cut, the node at 0, 0, 0) to path.
// Returns false when it cannot be written.
bool WriteDefaultGroundFile(const std::string& path);

} // namespace shell
