#pragma once
// The main window's start-up and file commands as functions over the model variables. The window is the
// host: it owns the controls, the common dialog and the routines of the panels; the functions here decide
// what is done, in which order, and with which names, so that they are tested without a window.

#include "shell/model/ModelVariables.h"
#include "shell/model/ParamFile.h"
#include "shell/settings/SettingsFile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace shell {

inline constexpr const char* kProgramCaption = "Vantrell Orvane - v060410";
inline constexpr const char* kBuildText = "060410";

inline constexpr const char* kParamOpenFilter =
    "Input Files(*.inp), Text Files(*.txt)|*.inp;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";
inline constexpr const char* kParamSaveFilter = "Parameter Files(*.inp, *.txt)|*.inp;*.txt |All Files(*.*)|*.*";
inline constexpr const char* kGroundFileFilter =
    "3D Ground Files(*.3D), Text Files(*.txt)|*.3D;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";
inline constexpr const char* kOutputFileFilter =
    "Output Files(*.prn),Text Files(*.txt)|*.prn;*.txt|Text Files (*.txt)|*.txt|All Files(*.*)|*.*";

inline constexpr int kGroundGridRows = 30;

// New and Load while the changed marker shows.
inline constexpr const char* kSaveChangesQuestion = "Save changes to the model?";
// A parameter file that could not be written.
inline constexpr const char* kSaveFailedTitle = "File Error";
std::string SaveFailedText(const std::string& path, const std::string& reason);

enum class FileLabel { InFile, OutFile, File3D };
enum class MessageIcon { Critical, Exclamation };
enum class SaveChangesAnswer { Yes, No, Cancel };

// Writing the parameter file: on a failure, the file that could not be written and the reason.
struct ParamWriteResult {
    WriteStatus status = WriteStatus::Written;
    std::string path;
    std::string reason;
};

// The three field-model menu items (mnuRay, mnuGTD, mnuPO).
struct FieldModelChecks {
    bool Ray = false;
    bool GTD = false;
    bool PO = false;
    bool operator==(const FieldModelChecks&) const = default;
};

// What the commands need of the main window.
class ShellHost {
public:
    virtual ~ShellHost() = default;

    // The window's common dialog: the chosen name, or nothing when the user cancelled.
    virtual std::optional<std::string> ShowOpenDialog(const std::string& filter, const std::string& fileName) = 0;
    virtual std::optional<std::string> ShowSaveDialog(const std::string& filter, const std::string& fileName) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // The question before an edited model is replaced (buttons Yes, No, Cancel); closing it cancels.
    virtual SaveChangesAnswer AskSaveChanges(const std::string& text) = 0;

    // Routines of the panels and of the parameter file.
    virtual void PresetDefaults() = 0;
    virtual void InitGroundGrid(int rows) = 0;
    virtual void SelectAntOrient(int index) = 0; // selecting runs the list's handler
    virtual void SelectFlight(int index) = 0;
    virtual void SelectPreset(int index) = 0;
    virtual void SetFltNumPointsText(const std::string& text) = 0;
    // False when the file could not be read (the window has said why; nothing was changed).
    virtual bool LoadParamFile(const std::string& path) = 0;
    virtual void ShowParameters() = 0;
    virtual void CollectParameters() = 0;
    virtual ParamWriteResult WriteParamFile() = 0;

    // Window state.
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void ShowFileLabel(FileLabel label, const std::string& text) = 0;
    virtual std::string FileLabelText(FileLabel label) const = 0;
    virtual bool ChangedMarkerVisible() const = 0;
    // Typed into since the model was loaded, made new or last written (by a save or a run).
    virtual bool UnsavedEdits() const = 0;
    // The model on screen is a loaded or a new one: the changed marker hidden, no unsaved edits.
    virtual void MarkModelUnedited() = 0;
    virtual bool Use3DChecked() const = 0;
    virtual void SetUse3DChecked(bool checked) = 0;
    virtual void SetUseSIChecked(bool checked) = 0;
    virtual FieldModelChecks FieldModelMenus() const = 0;
    virtual void SetFieldModelMenus(const FieldModelChecks& checks) = 0;
    // Buttons 10, 11, 12: the one down; 0 for none.
    virtual void SetFieldModelButton(int button) = 0;
    // The grid, the ground buttons and toolbar button 5 for the ground mode.
    virtual void SetGroundModeControls(bool use3D) = 0;
};

// The main window's own state that outlives one command.
struct ShellState {
    bool SettingsRead = false; // the settings file is read at the first load of the window only
    RecentFileList RecentFiles{};
};

// Start-up of the main window (its load).
void StartUp(ShellHost& host, ModelVariables& m, ShellState& state);

// Activation: a start-up status becomes 0.
void Activate(ModelVariables& m);

// The field-model switch: the menu item checked, the other two unchecked, its toolbar button down.
void SelectFieldModel(ShellHost& host, std::uint8_t model);

// Buttons 10-12 from the menu checks, first match wins: ray optics, physical optics, GTD.
void FieldModelButtonsFromMenus(ShellHost& host);

// The ground-mode switch (toolbar button 5 and the Use 3D File item).
void ToggleGroundMode(ShellHost& host, ModelVariables& m);

// File commands. New, Load and Image1 first offer to save a model typed into since it was last
// written: a cancel, or a save that did not happen, leaves the model on screen as it is. The model
// they put in its place is an unedited one.
void NewModel(ShellHost& host, ModelVariables& m);
// The ground file is the one the reader resolved (the file's own, else the derived name).
void LoadModel(ShellHost& host, ModelVariables& m);
void LoadFromImage(ShellHost& host, ModelVariables& m);
// A save that fails says why; the names and labels stay those of the last file written.
void SaveModelAs(ShellHost& host, ModelVariables& m);
void ChooseGroundFile3D(ShellHost& host, ModelVariables& m);
void LoadOutputFile(ShellHost& host, ModelVariables& m);
// Exit (and the window's close box): true when the program may end now; false when the user kept an
// unsaved model open or its save failed.
bool ExitProgram(ShellHost& host, ModelVariables& m, const ShellState& state);

// The settings file's values from the model and the window.
SettingsValues CurrentSettings(const ShellHost& host, const ModelVariables& m, const ShellState& state);

// The folder F of a parameter file name that New puts before "temp.inp": the name's folder, or the
// current directory for a bare name, always ending in a separator.
std::string FolderForNewNames(const std::string& inFile);

} // namespace shell
