#include "shell/mainwindow/logic/ShellCommands.h"

#include "shell/model/ParamFile.h"

#include <filesystem>
#include <system_error>

namespace shell {

namespace fs = std::filesystem;

namespace {

bool FileExists(const std::string& name) {
    std::error_code error;
    return !name.empty() && fs::is_regular_file(fs::path(name), error);
}

// Anything under the name at all: a folder or a device is there, though it is no file to read.
bool NameTaken(const std::string& name) {
    std::error_code error;
    return !name.empty() && fs::exists(fs::path(name), error);
}

std::string AbsoluteName(const std::string& name) {
    if (name.empty())
        return name;
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(name), error);
    return error ? name : absolute.lexically_normal().string();
}

// A settings file that cannot be written is said; the command itself goes on.
void WriteSettings(ShellHost& host, const ModelVariables& m, const ShellState& state, SettingsWrite kind) {
    const plat::FileWriteResult result =
        WriteSettingsFile(kSettingsFileName, CurrentSettings(host, m, state), kind);
    if (!result)
        host.ShowMessage(SettingsNotWrittenText(AbsoluteName(kSettingsFileName), result.reason),
                         kSettingsErrorTitle, MessageIcon::Critical);
}

// The folder of a parameter file becomes the current directory: the engine writes its report there.
void ChangeToFolderOf(const std::string& inFile) {
    std::error_code error;
    fs::current_path(fs::path(FolderForNewNames(inFile)), error);
}

// The model is read under the chosen name (the reader looks for its ground file beside it); a file that
// cannot be read leaves the model with the name it had. The model read is unedited.
bool LoadAndShow(ShellHost& host, ModelVariables& m, const std::string& chosen) {
    const std::string previous = m.InFile;
    m.InFile = chosen;
    if (!host.LoadParamFile(m.InFile)) {
        m.InFile = previous;
        return false;
    }
    host.ShowParameters();
    host.ShowFileLabel(FileLabel::InFile, m.InFile);
    host.MarkModelUnedited();
    return true;
}

// A dialog's answer that names no file: cancelled, or the wildcard it was opened with.
bool NoFileChosen(const std::optional<std::string>& chosen) {
    return !chosen || chosen->find_first_of("*?") != std::string::npos;
}

// The common start of Load and Image1: the run status reset before the dialog, the chosen file
// loaded and shown. A name under which nothing lies is only taken; anything else that cannot be read
// (a folder, a FIFO, a device as well as a file) is refused with the reader's reason and leaves the name.
bool ChooseAndOpen(ShellHost& host, ModelVariables& m) {
    m.RunStatus = 0;
    const std::optional<std::string> chosen = host.ShowOpenDialog(kParamOpenFilter, m.InFile);
    if (NoFileChosen(chosen))
        return false;
    if (!NameTaken(*chosen)) {
        m.InFile = *chosen;
        return false;
    }
    return LoadAndShow(host, m, *chosen);
}

// The file names as a save found them, with what their labels showed: a save that does not happen
// puts them back.
struct SavedNames {
    std::string inFile, outFile, file3D;
    std::string inLabel, outLabel, label3D;
};

SavedNames Remember(const ShellHost& host, const ModelVariables& m) {
    return {m.InFile,
            m.OutFile,
            m.File3D,
            host.FileLabelText(FileLabel::InFile),
            host.FileLabelText(FileLabel::OutFile),
            host.FileLabelText(FileLabel::File3D)};
}

void PutBack(ShellHost& host, ModelVariables& m, const SavedNames& names) {
    m.InFile = names.inFile;
    m.OutFile = names.outFile;
    m.File3D = names.file3D;
    host.ShowFileLabel(FileLabel::InFile, names.inLabel);
    host.ShowFileLabel(FileLabel::OutFile, names.outLabel);
    host.ShowFileLabel(FileLabel::File3D, names.label3D);
}

// Writes the collected model. Unless the file was written the names go back to before, and a write
// that failed says why.
bool Write(ShellHost& host, ModelVariables& m, const SavedNames& before) {
    const ParamWriteResult result = host.WriteParamFile();
    if (result.status == WriteStatus::Written)
        return true;
    if (result.status == WriteStatus::Failed)
        host.ShowMessage(SaveFailedText(result.path, result.reason), kSaveFailedTitle, MessageIcon::Critical);
    PutBack(host, m, before);
    return false;
}

// Saves the edited model as Exit does: collected and written to InFile, a name asked for when it has
// none. False when nothing was saved.
bool SaveEditedModel(ShellHost& host, ModelVariables& m) {
    host.CollectParameters();
    const SavedNames before = Remember(host, m);
    if (m.InFile.empty()) {
        const std::optional<std::string> chosen = host.ShowSaveDialog(kParamSaveFilter, "");
        if (NoFileChosen(chosen) || chosen->empty())
            return false;
        m.InFile = *chosen;
        host.ShowFileLabel(FileLabel::InFile, m.InFile);
    }
    return Write(host, m, before);
}

// Before the model on screen is replaced: true when it has no unsaved edits, or the user saved it or
// let the edits go.
bool EditsSavedOrDropped(ShellHost& host, ModelVariables& m) {
    if (!host.UnsavedEdits())
        return true;
    switch (host.AskSaveChanges(kSaveChangesQuestion)) {
    case SaveChangesAnswer::Yes: return SaveEditedModel(host, m);
    case SaveChangesAnswer::No: return true;
    case SaveChangesAnswer::Cancel: break;
    }
    return false;
}

std::string TrimBlanks(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string SaveFailedText(const std::string& path, const std::string& reason) {
    return "File Error: " + path + " cannot be written.\r\n" + reason;
}

SettingsValues CurrentSettings(const ShellHost& host, const ModelVariables& m, const ShellState& state) {
    return SettingsValues{m.InFile, m.OutFile, m.File3D, host.Use3DChecked(), m.FieldModel, state.RecentFiles};
}

std::string FolderForNewNames(const std::string& inFile) {
    std::string folder = FileFolder(inFile);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void StartUp(ShellHost& host, ModelVariables& m, ShellState& state) {
    m.Facility = 2;
    host.SetCaption(kProgramCaption);
    m.BankAngle = std::int16_t{0};
    m.LengthUnit = 0;
    host.SelectAntOrient(0);
    host.SelectFlight(0);
    host.SelectPreset(3);
    m.PlotSettings.PlotAxisMode = 10;
    m.PlotSettings.PlotXUnit = 0;
    m.PlotSettings.UseOldZ3Calc = 1;
    m.PlotSettings.RunwayLength = 10000.0F;
    m.PlotSettings.RunwayWidth = 150.0F;
    m.RunStatus = 100;
    m.ILSData.ToleranceCategory = 1;
    host.SetFieldModelMenus({false, true, false});
    m.AircraftSpeed = 200.0F;
    host.PresetDefaults();
    host.InitGroundGrid(kGroundGridRows);
    // The remaining defaults come before the remembered model is loaded, so that its number of points
    // and its metres flag are what the window shows afterwards.
    m.ILSData.CatIFactor = 1000.0F;
    m.PlotSettings.ShowAnalysis = 1;
    host.SetFltNumPointsText("200");
    host.SetUseSIChecked(false);

    if (!state.SettingsRead) {
        state.SettingsRead = true;
        const SettingsFileRead read = ReadSettingsFile(kSettingsFileName);
        if (!read.Problem.empty())
            host.ShowMessage(SettingsNotReadText(AbsoluteName(kSettingsFileName), read.Problem),
                             kSettingsErrorTitle, MessageIcon::Critical);
        const std::optional<SettingsRead>& settings = read.Settings;
        if (!settings) {
            m.InFile.clear();
            m.OutFile.clear();
        } else {
            m.InFile = settings->InFile;
            m.OutFile = settings->OutFile;
            m.File3D = settings->File3D;
            m.SavedInFile = m.InFile;
            if (settings->Use3D)
                host.SetUse3DChecked(*settings->Use3D);
            if (settings->FieldModel)
                m.FieldModel = *settings->FieldModel;
            state.RecentFiles = settings->RecentFiles;
            // The names stay valid once the current directory has changed to the model's folder.
            const std::string remembered = AbsoluteName(m.InFile);
            m.InFile = remembered;
            if (FileExists(m.InFile) && LoadAndShow(host, m, remembered)) {
                m.OutFile = AbsoluteName(m.OutFile);
                m.SavedInFile = remembered;
                m.File3D = AbsoluteName(m.File3D);
                host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
                host.ShowFileLabel(FileLabel::File3D, m.File3D);
                ChangeToFolderOf(m.InFile);
            } else {
                m.InFile.clear();
                m.OutFile.clear();
            }
        }
    }

    m.ILSData.ToleranceCategory = 1;
    if (m.NumAnts == 0)
        m.NumAnts = 3;
    const bool use3D = host.Use3DChecked();
    if (use3D)
        m.NumGroundPts = 0;
    host.SetGroundModeControls(use3D);
    FieldModelButtonsFromMenus(host);
}

void Activate(ModelVariables& m) {
    if (m.RunStatus > 1)
        m.RunStatus = 0;
}

void SelectFieldModel(ShellHost& host, std::uint8_t model) {
    host.SetFieldModelMenus({model == 0, model == 1, model == 2});
    host.SetFieldModelButton(10 + model);
}

void FieldModelButtonsFromMenus(ShellHost& host) {
    const FieldModelChecks checks = host.FieldModelMenus();
    if (checks.Ray)
        host.SetFieldModelButton(10);
    else if (checks.PO)
        host.SetFieldModelButton(12);
    else if (checks.GTD)
        host.SetFieldModelButton(11);
}

void ToggleGroundMode(ShellHost& host, ModelVariables& m) {
    const bool use3D = !host.Use3DChecked();
    host.SetUse3DChecked(use3D);
    if (use3D)
        m.NumGroundPts = 0;
    host.SetGroundModeControls(use3D);
}

void NewModel(ShellHost& host, ModelVariables& m) {
    if (!EditsSavedOrDropped(host, m))
        return;
    host.PresetDefaults();
    host.InitGroundGrid(kGroundGridRows);
    host.SelectAntOrient(0);
    host.SelectFlight(0);
    host.SelectPreset(3);
    host.SetFltNumPointsText("200");
    m.PlotSettings.PlotXUnit = 0;
    host.MarkModelUnedited();
    if (m.InFile.empty())
        return;
    const std::string folder = FolderForNewNames(m.InFile);
    m.InFile = folder + "temp.inp";
    m.OutFile = folder + "temp.prn";
    m.File3D = folder + "temp.3D";
    host.ShowFileLabel(FileLabel::InFile, m.InFile);
    host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
    host.ShowFileLabel(FileLabel::File3D, m.File3D);
}

void LoadModel(ShellHost& host, ModelVariables& m) {
    if (!EditsSavedOrDropped(host, m) || !ChooseAndOpen(host, m))
        return;
    const std::string base = StripExtension(m.InFile);
    m.OutFile = base + ".prn";
    host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
    // The reader has taken the ground file the parameter file names, or said which one it uses
    // instead; a name is derived here only when it left none.
    if (m.File3D.empty())
        m.File3D = base + ".3D";
    host.ShowFileLabel(FileLabel::File3D, m.File3D);
    WriteSettings(host, m, ShellState{}, SettingsWrite::Short);
    m.SavedInFile = m.InFile;
}

void LoadFromImage(ShellHost& host, ModelVariables& m) {
    if (!EditsSavedOrDropped(host, m) || !ChooseAndOpen(host, m))
        return;
    if (!m.OutFile.empty()) {
        WriteSettings(host, m, ShellState{}, SettingsWrite::Short);
        host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
    }
}

void SaveModelAs(ShellHost& host, ModelVariables& m) {
    const SavedNames before = Remember(host, m);
    const std::optional<std::string> chosen = host.ShowSaveDialog(kParamSaveFilter, m.InFile);
    if (NoFileChosen(chosen) || chosen->empty())
        return;
    m.InFile = *chosen;
    host.ShowFileLabel(FileLabel::InFile, m.InFile);
    host.CollectParameters();
    if (!Write(host, m, before))
        return;
    m.OutFile = StripExtension(m.InFile) + ".prn";
    host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
}

void ChooseGroundFile3D(ShellHost& host, ModelVariables& m) {
    const std::optional<std::string> chosen = host.ShowOpenDialog(kGroundFileFilter, m.File3D);
    if (NoFileChosen(chosen))
        return;
    m.File3D = *chosen;
    const char* error = nullptr;
    if (m.File3D.empty())
        error = "File Error: Bad File Name";
    else if (!FileExists(m.File3D))
        error = "File Error: File Not Found";
    if (error) {
        host.ShowMessage(error, "File Error", MessageIcon::Critical);
        m.File3D = StripExtension(m.InFile) + ".3D";
    }
    host.ShowFileLabel(FileLabel::File3D, m.File3D);
}

void LoadOutputFile(ShellHost& host, ModelVariables& m) {
    const std::string current = TrimBlanks(m.OutFile);
    const std::optional<std::string> chosen =
        host.ShowSaveDialog(kOutputFileFilter, current.empty() ? "*.*" : current);
    if (NoFileChosen(chosen))
        return;
    m.OutFile = *chosen;
    host.ShowFileLabel(FileLabel::OutFile, m.OutFile);
    m.RunStatus = 0;
    if (!m.InFile.empty() && !m.OutFile.empty())
        WriteSettings(host, m, ShellState{}, SettingsWrite::Short);
}

bool ExitProgram(ShellHost& host, ModelVariables& m, const ShellState& state) {
    // An unnamed model is not dropped: its name is asked for, and a refusal keeps the program open.
    if (host.ChangedMarkerVisible() && !SaveEditedModel(host, m))
        return false;
    WriteSettings(host, m, state, SettingsWrite::Full);
    return true;
}

} // namespace shell
